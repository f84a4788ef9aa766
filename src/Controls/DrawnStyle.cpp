#include "Controls/DrawnStyle.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace controls {

namespace {

constexpr int kKnob = 18;
constexpr double kTrack = 4;

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

// The base style paints a menu and each of its items with the palette's base colour lightened by
// 8 %; the base colour handed to it is the surface taken back by as much.
QStyleOptionMenuItem onSurface(const QStyleOptionMenuItem& item) {
    QStyleOptionMenuItem raised(item);
    const QColor surface = DrawnStyle::surfaceOn(item.palette);
    raised.palette.setColor(QPalette::Base, QColor::fromHsvF(surface.hsvHueF(), surface.hsvSaturationF(),
                                                             surface.valueF() / 1.08f));
    return raised;
}

}  // namespace

DrawnStyle::DrawnStyle(QStyle* base) : QProxyStyle(base) {}

QColor DrawnStyle::surfaceOn(const QPalette& palette) {
    return isDark(palette) ? QColor(44, 44, 47) : QColor(255, 255, 255);
}

QColor DrawnStyle::edgeOn(const QPalette& palette) {
    return isDark(palette) ? QColor(96, 96, 102) : QColor(188, 188, 194);
}

void DrawnStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    // The panel carries its own edge: the base style gives menus no separate frame.
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->save();
        if (element == PE_PanelMenu) painter->fillRect(option->rect, surfaceOn(option->palette));
        painter->setPen(edgeOn(option->palette));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    // A framed text field is a rounded well with a fine edge, ringed in the accent while it is edited;
    // a frameless one keeps the base style's plain fill.
    const auto* field = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == PE_FrameLineEdit && field && field->lineWidth > 0) return;
    if (element == PE_PanelLineEdit && field && field->lineWidth > 0) {
        const QPalette& colours = option->palette;
        const bool focused = option->state & State_HasFocus;
        const bool enabled = option->state & State_Enabled;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QColor edge = focused ? colours.color(QPalette::Highlight) : edgeOn(colours);
        if (!enabled) edge.setAlphaF(0.5f);
        painter->setPen(QPen(edge, 1));
        painter->setBrush(colours.brush(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Base));
        painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), kFieldRadius,
                                 kFieldRadius);
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QRect DrawnStyle::subElementRect(SubElement element, const QStyleOption* option,
                                 const QWidget* widget) const {
    const auto* field = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element == SE_LineEditContents && field && field->lineWidth > 0) {
        // The line edit adds a 2 px margin of its own on either side.
        return visualRect(option->direction, option->rect,
                          option->rect.adjusted(kFieldInset - 2, 1, -(kFieldInset - 2), -1));
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

void DrawnStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item) {
        const QStyleOptionMenuItem raised = onSurface(*item);
        QProxyStyle::drawControl(element, &raised, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

int DrawnStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_SliderLength || metric == PM_SliderThickness) return kKnob;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void DrawnStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
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
