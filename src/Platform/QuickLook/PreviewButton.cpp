#include "Platform/QuickLook/PreviewButton.h"

#include <QPainter>
#include <QPainterPath>

namespace quicklook {

PreviewButton::PreviewButton(Glyph glyph, const QString& name, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
    setAccessibleName(name);
    setToolTip(name);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    resize(sizeHint());
}

void PreviewButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool live = isEnabled();
    const int faceAlpha = !live ? 14 : isDown() ? 70 : underMouse() ? 46 : 26;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, faceAlpha));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);

    // Drawn strokes rather than font glyphs, so they sit centred and crisp at any font.
    QPen ink(QColor(235, 235, 240, live ? 235 : 80), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(ink);
    painter.setBrush(Qt::NoBrush);
    const QPointF c = QRectF(rect()).center();
    QPainterPath path;
    switch (glyph_) {
        case Glyph::Close:
            path.moveTo(c + QPointF(-5, -5));
            path.lineTo(c + QPointF(5, 5));
            path.moveTo(c + QPointF(5, -5));
            path.lineTo(c + QPointF(-5, 5));
            break;
        case Glyph::Previous:
            path.moveTo(c + QPointF(2.5, -6));
            path.lineTo(c + QPointF(-3.5, 0));
            path.lineTo(c + QPointF(2.5, 6));
            break;
        case Glyph::Next:
            path.moveTo(c + QPointF(-2.5, -6));
            path.lineTo(c + QPointF(3.5, 0));
            path.lineTo(c + QPointF(-2.5, 6));
            break;
    }
    painter.drawPath(path);
}

}  // namespace quicklook
