#include "Controls/ScrollBarStyle.h"

#include "Controls/DrawnStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <algorithm>

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

constexpr int kThickness = 10;
constexpr int kShortestHandle = 24;

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

    const QRect slider = subControlRect(control, bar, SC_ScrollBarSlider, widget);
    if (bar->maximum > bar->minimum && !slider.isEmpty()) {
        const bool active = (bar->state & State_Sunken) ||
                            ((bar->state & State_MouseOver) && (bar->activeSubControls & SC_ScrollBarSlider));
        const QRectF handle = QRectF(slider).adjusted(horizontal ? 1 : 2, horizontal ? 2 : 1,
                                                      horizontal ? -1 : -2, horizontal ? -2 : -1);
        const double radius = std::min(handle.width(), handle.height()) / 2;
        painter->setPen(Qt::NoPen);
        painter->setBrush(handleColour(bar->palette, active));
        painter->drawRoundedRect(handle, radius, radius);
    }
    painter->restore();
}

QRect ScrollBarStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                     SubControl part, const QWidget* widget) const {
    const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_ScrollBar || !bar) return QProxyStyle::subControlRect(control, option, part, widget);
    const bool horizontal = bar->orientation == Qt::Horizontal;
    const QRect whole = bar->rect;
    const int length = horizontal ? whole.width() : whole.height();
    const long long range = static_cast<long long>(bar->maximum) - bar->minimum;
    int handle = length;
    if (range > 0)
        handle = static_cast<int>(static_cast<long long>(length) * bar->pageStep / (range + bar->pageStep));
    handle = std::clamp(handle, std::min(kShortestHandle, length), length);
    const int start = sliderPositionFromValue(bar->minimum, bar->maximum, bar->sliderPosition,
                                              length - handle, bar->upsideDown);
    const auto span = [&](int from, int to) {
        const QRect r = horizontal ? QRect(whole.left() + from, whole.top(), to - from, whole.height())
                                   : QRect(whole.left(), whole.top() + from, whole.width(), to - from);
        return visualRect(bar->direction, whole, r);
    };
    switch (part) {
        case SC_ScrollBarGroove:
            return whole;
        case SC_ScrollBarSlider:
            return span(start, start + handle);
        case SC_ScrollBarSubPage:
            return span(0, start);
        case SC_ScrollBarAddPage:
            return span(start + handle, length);
        default:
            return {};  // no steppers, no first/last buttons
    }
}

int ScrollBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_ScrollBarExtent) return kThickness;
    if (metric == PM_ScrollBarSliderMin) return kShortestHandle;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void installScrollBarStyle() {
    QApplication::setStyle(new DrawnStyle(new ScrollBarStyle));
}

}  // namespace controls
