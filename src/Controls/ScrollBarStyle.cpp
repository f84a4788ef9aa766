#include "Controls/ScrollBarStyle.h"

#include "Controls/DrawnStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionSlider>

namespace controls {

namespace {

QColor mixed(const QColor& a, const QColor& b, double share) {
    return QColor::fromRgbF(static_cast<float>(a.redF() * share + b.redF() * (1 - share)),
                            static_cast<float>(a.greenF() * share + b.greenF() * (1 - share)),
                            static_cast<float>(a.blueF() * share + b.blueF() * (1 - share)));
}

// The groove sits just off the window's colour; the handle leans towards the text colour, so it
// reads on either look, and further still while the pointer is on it or drags it.
QColor grooveColour(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    return window.lightness() < 128 ? window.lighter(125) : window.darker(104);
}

QColor handleColour(const QPalette& palette, bool active) {
    return mixed(palette.color(QPalette::WindowText), grooveColour(palette), active ? 0.62 : 0.42);
}

void drawArrow(const QStyle& style, QStyle::PrimitiveElement arrow, const QStyleOptionSlider& bar,
               const QRect& rect, QPainter* painter, const QWidget* widget) {
    if (rect.isEmpty()) return;
    QStyleOption option(bar);
    option.rect = rect;
    option.palette.setColor(QPalette::ButtonText, handleColour(bar.palette, true));
    style.drawPrimitive(arrow, &option, painter, widget);
}

}  // namespace

ScrollBarStyle::ScrollBarStyle(QStyle* base) : QProxyStyle(base ? base : QStyleFactory::create("Fusion")) {}

void ScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(bar->rect, grooveColour(bar->palette));

    const bool horizontal = bar->orientation == Qt::Horizontal;
    drawArrow(*this, horizontal ? PE_IndicatorArrowLeft : PE_IndicatorArrowUp, *bar,
              subControlRect(control, bar, SC_ScrollBarSubLine, widget), painter, widget);
    drawArrow(*this, horizontal ? PE_IndicatorArrowRight : PE_IndicatorArrowDown, *bar,
              subControlRect(control, bar, SC_ScrollBarAddLine, widget), painter, widget);

    const QRect slider = subControlRect(control, bar, SC_ScrollBarSlider, widget);
    if (bar->maximum > bar->minimum && !slider.isEmpty()) {
        const bool active = (bar->state & State_Sunken) ||
                            ((bar->state & State_MouseOver) && (bar->activeSubControls & SC_ScrollBarSlider));
        const QRectF handle = QRectF(slider).adjusted(horizontal ? 1 : 3, horizontal ? 3 : 1,
                                                      horizontal ? -1 : -3, horizontal ? -3 : -1);
        const double radius = std::min(handle.width(), handle.height()) / 2;
        painter->setPen(Qt::NoPen);
        painter->setBrush(handleColour(bar->palette, active));
        painter->drawRoundedRect(handle, radius, radius);
    }
    painter->restore();
}

void installScrollBarStyle() {
    QApplication::setStyle(new DrawnStyle(new ScrollBarStyle));
}

}  // namespace controls
