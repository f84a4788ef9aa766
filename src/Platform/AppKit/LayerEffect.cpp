#include "Platform/AppKit/LayerEffect.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "Platform/AppKit/Layer.h"
#include "Platform/AppKit/LayerPainter.h"

namespace appkit {

namespace {

// One box-blur pass over the alpha channel of a premultiplied image, along rows or columns.
void boxBlurAlpha(QImage& image, int radius, bool horizontal) {
    const int w = image.width(), h = image.height();
    const int lines = horizontal ? h : w, length = horizontal ? w : h;
    std::vector<int> src(static_cast<std::size_t>(length));
    for (int line = 0; line < lines; ++line) {
        auto pixel = [&](int i) -> QRgb& {
            const int x = horizontal ? i : line, y = horizontal ? line : i;
            return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
        };
        for (int i = 0; i < length; ++i) src[static_cast<std::size_t>(i)] = qAlpha(pixel(i));
        int sum = 0;
        const int window = 2 * radius + 1;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? src[static_cast<std::size_t>(i)] : 0;
        for (int i = 0; i < length; ++i) {
            const int a = sum / window;
            pixel(i) = qRgba(0, 0, 0, a);
            const int out = i - radius, in = i + radius + 1;
            if (out >= 0) sum -= src[static_cast<std::size_t>(out)];
            if (in < length) sum += src[static_cast<std::size_t>(in)];
        }
    }
}

}  // namespace

QImage shadowImage(const QImage& source, const Layer& layer) {
    QImage shadow = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int radius = std::clamp(static_cast<int>(std::lround(layer.shadowRadius / 2)), 0, 64);
    if (radius > 0) {
        for (int pass = 0; pass < 2; ++pass) {
            boxBlurAlpha(shadow, radius, true);
            boxBlurAlpha(shadow, radius, false);
        }
    }
    QPainter tint(&shadow);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    QColor colour = toQColor(layer.shadowColor.value_or(cg::Color::black()));
    colour.setAlphaF(static_cast<float>(colour.alphaF() * std::clamp(layer.shadowOpacity, 0.0, 1.0)));
    tint.fillRect(shadow.rect(), colour);
    return shadow;
}

QRectF LayerEffect::boundingRectFor(const QRectF& rect) const {
    if (!layer_.showsShadow()) return rect;
    const double grow = 2 * layer_.shadowRadius + 1;
    const double dx = layer_.shadowOffset.width, dy = -layer_.shadowOffset.height;
    return rect.united(rect.translated(dx, dy).adjusted(-grow, -grow, grow, grow));
}

void LayerEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap source =
        sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull()) return;
    painter->save();
    painter->setWorldTransform(QTransform());
    const double opacity = std::clamp(layer_.presented(KeyPath::opacity), 0.0, 1.0);
    painter->setOpacity(opacity);
    if (layer_.showsShadow()) {
        const QImage shadow = shadowImage(source.toImage(), layer_);
        const QPointF shift(layer_.shadowOffset.width, -layer_.shadowOffset.height);
        painter->drawImage(QPointF(offset) + shift, shadow);
    }
    painter->drawPixmap(offset, source);
    painter->restore();
}

}  // namespace appkit
