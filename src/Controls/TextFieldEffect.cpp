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
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::NoPad);
    if (source.isNull()) return;
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->setOpacity(painter->opacity() * opacity_);
    if (edge_) {
        // The edge is the text's own shape in the edge colour, as a shadow without blur.
        QImage shape = source.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tint(&shape);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(shape.rect(), edge_->colour);
        tint.end();
        const double scale = source.devicePixelRatio();
        painter->drawImage(QPointF(offset) + QPointF(0, edge_->dy * scale), shape);
    }
    painter->drawPixmap(offset, source);
    painter->restore();
}

}  // namespace controls
