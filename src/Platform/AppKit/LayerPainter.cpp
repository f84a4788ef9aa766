#include "Platform/AppKit/LayerPainter.h"

#include <QLinearGradient>
#include <QPainterPathStroker>
#include <algorithm>
#include <cmath>

namespace appkit {

QColor toQColor(const cg::Color& c) {
    auto unit = [](double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; };
    return QColor::fromRgbF(static_cast<float>(unit(c.red)), static_cast<float>(unit(c.green)),
                            static_cast<float>(unit(c.blue)), static_cast<float>(unit(c.alpha)));
}

cg::Color fromQColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
}

QPainterPath LayerPainter::roundedPath(QRectF rect, double radius) {
    QPainterPath path;
    const double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (r > 0)
        path.addRoundedRect(rect, r, r);
    else
        path.addRect(rect);
    return path;
}

QRectF LayerPainter::toQt(const cg::Rect& frame, QRectF hostRect) const {
    const cg::Rect f = frame.standardized();
    const double y = flipped_ ? hostRect.top() + f.origin.y : hostRect.bottom() - f.origin.y - f.size.height;
    return QRectF(hostRect.left() + f.origin.x, y, f.size.width, f.size.height);
}

void LayerPainter::applyTransform(const Layer& layer, QRectF rect) {
    const double dx = layer.presented(KeyPath::positionX);
    const double dy = layer.presented(KeyPath::positionY);
    p_.translate(dx, flipped_ ? dy : -dy);
    const double scale = layer.presented(KeyPath::scale);
    const double rotation = layer.presented(KeyPath::rotation);
    if (scale == 1 && rotation == 0) return;
    const QPointF c = rect.center();
    p_.translate(c);
    // Counter-clockwise on screen for a positive angle, whichever way the host's y runs.
    p_.rotate(-rotation * 180 / M_PI);
    p_.scale(scale, scale);
    p_.translate(-c);
}

void LayerPainter::paintBelowContent(const Layer& root) {
    applyTransform(root, bounds_);
    if (root.backgroundColor) {
        p_.fillPath(roundedPath(bounds_, root.cornerRadius), toQColor(*root.backgroundColor));
    }
    if (root.masksToBounds) p_.setClipPath(roundedPath(bounds_, root.cornerRadius), Qt::IntersectClip);
    for (const auto& sub : root.sublayers) paintSublayer(*sub, bounds_);
}

void LayerPainter::paintBorder(const Layer& root) {
    paintBorderIn(root, bounds_);
}

void LayerPainter::paintBorderIn(const Layer& root, QRectF rect) {
    if (root.borderWidth <= 0 || !root.borderColor) return;
    const double w = root.borderWidth;
    const QRectF inner = rect.adjusted(w / 2, w / 2, -w / 2, -w / 2);
    QPen pen(toQColor(*root.borderColor), w);
    pen.setJoinStyle(Qt::MiterJoin);
    p_.setPen(pen);
    p_.setBrush(Qt::NoBrush);
    p_.drawPath(roundedPath(inner, std::max(0.0, root.cornerRadius - w / 2)));
}

void LayerPainter::paintSublayer(const Layer& layer, QRectF hostRect) {
    if (layer.hidden) return;
    // A sublayer with a shadow (the progress ring's bar) casts it under itself: the layer is drawn
    // once more into a picture of its own, whose blurred, tinted alpha goes down first.
    if (!castingShadow_ && layer.shadowOpacity > 0 && layer.shadowColor && layer.shadowColor->alpha > 0) {
        const double grow = 2 * layer.shadowRadius + 2;
        const QRectF area = hostRect.adjusted(-grow, -grow, grow, grow);
        const QRectF device = p_.worldTransform().mapRect(area);
        const qreal ratio = p_.device() ? p_.device()->devicePixelRatioF() : 1.0;
        QImage picture((device.size() * ratio).toSize() + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        {
            QPainter inner(&picture);
            inner.setRenderHints(p_.renderHints());
            inner.translate(-device.topLeft());
            inner.setWorldTransform(p_.worldTransform(), true);
            LayerPainter shadowPass(inner, bounds_, flipped_);
            shadowPass.castingShadow_ = true;
            shadowPass.paintSublayer(layer, hostRect);
        }
        const QImage shadow = shadowImage(picture, layer);
        p_.save();
        p_.setWorldTransform(QTransform());
        p_.drawImage(device.topLeft() + QPointF(layer.shadowOffset.width, -layer.shadowOffset.height),
                     shadow);
        p_.restore();
    }
    const QRectF rect = toQt(layer.frame, hostRect);
    p_.save();
    p_.setOpacity(p_.opacity() * std::clamp(layer.presented(KeyPath::opacity), 0.0, 1.0));
    applyTransform(layer, rect);
    const QPainterPath outline = roundedPath(rect, layer.cornerRadius);
    if (layer.backgroundColor) p_.fillPath(outline, toQColor(*layer.backgroundColor));
    if (layer.masksToBounds) p_.setClipPath(outline, Qt::IntersectClip);

    if (layer.kind == Layer::Kind::Gradient && !layer.colors.empty()) {
        auto unitPoint = [&](cg::Point u) {
            const double y =
                flipped_ ? rect.top() + u.y * rect.height() : rect.bottom() - u.y * rect.height();
            return QPointF(rect.left() + u.x * rect.width(), y);
        };
        QLinearGradient gradient(unitPoint(layer.startPoint), unitPoint(layer.endPoint));
        const std::size_t n = layer.colors.size();
        for (std::size_t i = 0; i < n; ++i) {
            double at = n == 1 ? 0 : static_cast<double>(i) / static_cast<double>(n - 1);
            if (layer.locations.size() == n) at = std::clamp(layer.locations[i], 0.0, 1.0);
            gradient.setColorAt(at, toQColor(layer.colors[i]));
        }
        p_.fillPath(outline, gradient);
    } else if (layer.kind == Layer::Kind::Shape && !layer.path.isEmpty()) {
        p_.save();
        // The path is in the layer's own coordinates, y up unless the host is flipped.
        p_.translate(rect.topLeft());
        if (!flipped_) {
            p_.translate(0, rect.height());
            p_.scale(1, -1);
        }
        if (layer.fillColor) p_.fillPath(layer.path, toQColor(*layer.fillColor));
        const double end = std::clamp(layer.presented(KeyPath::strokeEnd), 0.0, 1.0);
        const double start = std::clamp(layer.presented(KeyPath::strokeStart), 0.0, end);
        if (layer.strokeColor && layer.lineWidth > 0 && end > start) {
            QPainterPath stroked;
            const int steps = std::max(2, static_cast<int>(layer.path.length()));
            for (int i = 0; i <= steps; ++i) {
                const double t = start + (end - start) * i / steps;
                const QPointF pt = layer.path.pointAtPercent(t);
                if (i == 0)
                    stroked.moveTo(pt);
                else
                    stroked.lineTo(pt);
            }
            QPen pen(toQColor(*layer.strokeColor), layer.lineWidth);
            pen.setCapStyle(layer.lineCap);
            p_.strokePath(start == 0 && end == 1 ? layer.path : stroked, pen);
        }
        p_.restore();
    }
    for (const auto& sub : layer.sublayers) paintSublayer(*sub, rect);
    paintBorderIn(layer, rect);
    p_.restore();
}

}  // namespace appkit
