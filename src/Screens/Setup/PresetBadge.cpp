#include "Screens/Setup/PresetBadge.h"

#include <QPainter>

namespace {

constexpr int kPadX = 6;
constexpr int kPadY = 2;

}  // namespace

PresetBadge::PresetBadge(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setPixelSize(11);
    f.setWeight(QFont::DemiBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.3);
    setFont(f);
}

QSize PresetBadge::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 2 * kPadX + 2, metrics.height() + 2 * kPadY};
}

void PresetBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor ink = palette().color(QPalette::WindowText);
    QColor edge = ink, tint = ink;
    edge.setAlphaF(0.35);
    tint.setAlphaF(0.06);
    painter.setPen(QPen(edge, 1));
    painter.setBrush(tint);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}
