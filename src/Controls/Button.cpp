#include "Controls/Button.h"

#include "Controls/ButtonTextColor.h"
#include "Controls/ButtonTracking.h"
#include "Controls/ViewAccent.h"

namespace controls {

Button::Button(QWidget* parent)
    : ButtonBase(parent),
      GradientShadowStyle(*this, true),
      HoverColorProperties(static_cast<ButtonBase&>(*this)) {}

void Button::awakeFromNib() {
    setWantsLayer(true);
    setShowsBorderOnlyWhileMouseInside(true);
    saveRestingLook(*this, colours_);
    colours_.alphaBack = view::alpha(*this);
    if (!momentaryChange_) return;
    applyHover(state() == StateValue::On);
    addTrackingRect();
    if (trackingUpdate_) scheduleTrackingRenewal(*this);
}

void Button::applyHover(bool hovered) {
    if (!isEnabled()) {
        setAlphaValue(0.5);
        return;
    }
    lastHovered_ = hovered;
    applyInterfaceStyle();
    if (hovered) {
        // A title with a colour of its own keeps it at rest; one without follows the style's label colour.
        if (view::isClear(colours_.fontColor) && attributedTitle().attributesAt(0).foregroundColor)
            colours_.fontColor = button::textColor(*this);
        showHoverLook(*this, colours_, iconTemplate_);
    } else {
        showRestingLook(*this, colours_, iconTemplate_, momentaryChange_);
    }
}

void Button::applyInterfaceStyle() {
    if (!accentColorsOn(*this)) return;
    const AccentInputs in = accentInputs(*this, colours_);
    storeAccentColors(*this, colours_, buttonAccentColors(in));
}

void Button::viewDidEndLiveResize() {
    if (momentaryChange_ && trackingUpdate_) renewTrackingRect(*this);
}

void Button::interfaceStyleDidChange() {
    if (lastHovered_ && isEnabled()) applyHover(*lastHovered_);
    update();
}

}  // namespace controls
