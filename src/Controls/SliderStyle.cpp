#include "Controls/SliderStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace controls {

namespace {
constexpr int kKnob = 18;
constexpr double kTrack = 4;
}  // namespace

SliderStyle::SliderStyle(QStyle* base) : QProxyStyle(base) {}

int SliderStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_SliderLength || metric == PM_SliderThickness) return kKnob;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void SliderStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
    if (control != CC_Slider || !slider) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QPalette& colours = slider->palette;
    const bool dark =
        colours.color(QPalette::Window).lightness() < colours.color(QPalette::WindowText).lightness();
    const bool enabled = slider->state & State_Enabled;
    const bool horizontal = slider->orientation == Qt::Horizontal;
    const QRectF knob = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    const QRectF groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    // The track, and the accent part of it up to the knob.
    const QPointF centre = knob.center();
    const QRectF track =
        horizontal
            ? QRectF(groove.left() + kKnob / 2.0, centre.y() - kTrack / 2, groove.width() - kKnob, kTrack)
            : QRectF(centre.x() - kTrack / 2, groove.top() + kKnob / 2.0, kTrack, groove.height() - kKnob);
    QColor rest = colours.color(QPalette::WindowText);
    rest.setAlphaF(dark ? 0.22f : 0.16f);
    painter->setBrush(rest);
    painter->drawRoundedRect(track, kTrack / 2, kTrack / 2);
    QRectF filled = track;
    if (horizontal)
        filled.setRight(slider->upsideDown ? track.right() : centre.x());
    else
        filled.setTop(slider->upsideDown ? track.top() : centre.y());
    if (horizontal && slider->upsideDown) filled.setLeft(centre.x());
    if (!horizontal && slider->upsideDown) filled.setBottom(centre.y());
    QColor accent = colours.color(QPalette::Highlight);
    if (!enabled) accent.setAlphaF(0.35f);
    painter->setBrush(accent);
    painter->drawRoundedRect(filled, kTrack / 2, kTrack / 2);

    // The knob: a white disc with a fine edge, pressed a shade darker.
    const QRectF disc =
        QRectF(centre - QPointF(kKnob / 2.0 - 1, kKnob / 2.0 - 1), QSizeF(kKnob - 2, kKnob - 2));
    const bool pressed = slider->state & State_Sunken;
    painter->setBrush(pressed ? QColor(232, 232, 236) : QColor(255, 255, 255));
    painter->setPen(QPen(dark ? QColor(0, 0, 0, 110) : QColor(0, 0, 0, 60), 1));
    painter->drawEllipse(disc);
    if (slider->state & State_HasFocus) {
        painter->setPen(QPen(colours.color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(disc.adjusted(-1.5, -1.5, 1.5, 1.5));
    }
    painter->restore();
}

}  // namespace controls
