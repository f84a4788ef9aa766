#include "Controls/TextFieldEffect.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>

namespace controls {

TextFieldEffect::TextFieldEffect(QObject* parent) : QGraphicsEffect(parent) {}

void TextFieldEffect::setOpacity(double opacity) {
    opacity = std::clamp(opacity, 0.0, 1.0);
    if (opacity == opacity_) return;
    opacity_ = opacity;
    update();
}

void TextFieldEffect::setEdge(std::optional<Edge> edge) {
    if (edge == edge_) return;
    edge_ = std::move(edge);
    updateBoundingRect();
    update();
}

TextFieldEffect& TextFieldEffect::of(QWidget& widget) {
    if (auto* effect = find(widget)) return *effect;
    auto* effect = new TextFieldEffect(&widget);
    widget.setGraphicsEffect(effect);
    return *effect;
}

TextFieldEffect* TextFieldEffect::find(const QWidget& widget) {
    return qobject_cast<TextFieldEffect*>(widget.graphicsEffect());
}

void TextFieldEffect::dropIfPlain(QWidget& widget) {
    if (auto* effect = find(widget); effect && effect->isPlain()) widget.setGraphicsEffect(nullptr);
}

QRectF TextFieldEffect::boundingRectFor(const QRectF& rect) const {
    return edge_ ? rect.united(rect.translated(0, edge_->dy)) : rect;
}

void TextFieldEffect::draw(QPainter* painter) {
    if (isPlain()) {
        drawSource(painter);
        return;
    }
    QPoint offset;
    const QPixmap source =
        sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull()) return;
    // The edge and the text are put together first and faded as one, so that a faded field does not
    // show its edge through its own text. Everything here is in device pixels.
    QImage text = source.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const double pixelsPerPoint = source.devicePixelRatio();
    text.setDevicePixelRatio(1);
    QImage composed(text.size(), QImage::Format_ARGB32_Premultiplied);
    composed.fill(Qt::transparent);
    QPainter together(&composed);
    if (edge_) {
        // The edge is the text's own shape in the edge colour, as a shadow without blur.
        QImage shape = text;
        QPainter tint(&shape);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(shape.rect(), edge_->colour);
        tint.end();
        together.drawImage(QPointF(0, edge_->dy * pixelsPerPoint), shape);
    }
    together.drawImage(0, 0, text);
    together.end();
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->setOpacity(painter->opacity() * opacity_);
    painter->drawImage(offset, composed);
    painter->restore();
}

}  // namespace controls
