#include "Platform/AppKit/PanelButton.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace appkit {

namespace {
constexpr int kHeight = 28;
constexpr int kMinimumWidth = 84;
constexpr int kPadding = 16;
constexpr qreal kRadius = 6;
}  // namespace

PanelButton::PanelButton(const QString& title, QWidget* parent) : QPushButton(title, parent) {
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
}

QSize PanelButton::sizeHint() const {
    const int width = fontMetrics().horizontalAdvance(text());
    return {std::max(kMinimumWidth, width + 2 * kPadding), kHeight};
}

void PanelButton::matchSizes(std::initializer_list<PanelButton*> buttons) {
    QSize size;
    for (const PanelButton* button : buttons) size = size.expandedTo(button->sizeHint());
    for (PanelButton* button : buttons) button->setFixedSize(size);
}

bool PanelButton::event(QEvent* event) {
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave) update();
    return QPushButton::event(event);
}

void PanelButton::paintEvent(QPaintEvent*) {
    const QPalette& colours = palette();
    const bool dark =
        colours.color(QPalette::Window).lightness() < colours.color(QPalette::WindowText).lightness();
    QColor fill = colours.color(QPalette::Button);
    if (!isEnabled())
        fill = colours.color(QPalette::Disabled, QPalette::Button);
    else if (isDown())
        fill = dark ? fill.lighter(135) : fill.darker(112);
    else if (underMouse())
        fill = dark ? fill.lighter(118) : fill.darker(104);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(frame, kRadius, kRadius);
    painter.fillPath(shape, fill);
    const bool focused = hasFocus() && isEnabled();
    painter.setPen(
        QPen(focused ? colours.color(QPalette::Highlight) : colours.color(QPalette::Mid), focused ? 2 : 1));
    painter.drawPath(shape);
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

}  // namespace appkit
