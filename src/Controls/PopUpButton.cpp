#include "Controls/PopUpButton.h"

#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"

namespace controls {

namespace {
constexpr int kTexturedRoundedBezel = 11;
}

PopUpButton::PopUpButton(QWidget* parent, bool pullsDown)
    : PopUpButtonBase(parent, pullsDown),
      GradientShadowStyle(*this, true),
      HoverColorProperties(static_cast<ButtonBase&>(*this)) {}

cg::Color PopUpButton::fontColor() const {
    return view::isClear(colours_.fontColor) ? cg::Color::black() : colours_.fontColor;
}

void PopUpButton::awakeFromNib() {
    setWantsLayer(true);
    const cg::Color background = view::background(*this);
    if (!view::isClear(background)) {
        setBordered(false);
        setBezelStyle(kTexturedRoundedBezel);
        colours_.bgColorBack = background;
    } else {
        setShowsBorderOnlyWhileMouseInside(true);
    }
    saveRestingLook(*this, colours_);
    applyAccentColors();
    colours_.alphaBack = view::alpha(*this);
    addTrackingRect();
}

void PopUpButton::applyHover(bool hovered) {
    if (!isEnabled()) {
        setAlphaValue(0.5);
        return;
    }
    lastHovered_ = hovered;
    applyAccentColors();
    if (hovered) {
        showHoverLook(*this, colours_, iconTemplate_);
        return;
    }
    HoverColors resting = colours_;
    if (view::isClear(resting.fontColor))
        resting.fontColor = interfacestyle::current() == InterfaceStyle::Dark
                                ? SystemAppearance::labelColor(InterfaceStyle::Dark)
                                : cg::Color::black();
    showRestingLook(*this, resting, iconTemplate_, momentaryChange_);
}

void PopUpButton::applyAccentColors() {
    if (!accentColorsOn(*this)) return;
    const AccentInputs in = accentInputs(*this, colours_);
    storeAccentColors(*this, colours_, popUpAccentColors(in));
}

void PopUpButton::interfaceStyleDidChange() {
    if (lastHovered_ && isEnabled()) applyHover(*lastHovered_);
    update();
}

}  // namespace controls
