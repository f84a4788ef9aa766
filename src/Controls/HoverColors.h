#pragma once
// The hover and resting colours Button and PopUpButton share, with the rules both apply: the hover
// look, the resting look, and storing what the accent derivation gives. Main thread only.

#include "Controls/AccentColors.h"
#include "Controls/ButtonBase.h"
#include "Controls/InterfaceStyle.h"

#include <optional>

namespace controls {

struct HoverColors {
    cg::Color fontColor = cg::Color::clear();
    cg::Color fontHover = cg::Color::clear();
    cg::Color bgHover = cg::Color::clear();
    cg::Color bgForced = cg::Color::clear();
    cg::Color borderHover = cg::Color::clear();
    double alphaHover = -1.0;
    cg::Color bgColorBack = cg::Color::clear();
    cg::Color borderColorBack = cg::Color::clear();
    double alphaBack = -1.0;
    InterfaceStyle interfaceStyle = InterfaceStyle::Light;
};

// The designed hover properties of a styled button (every colour clear, that is unset, at first)
// and its template-icon switch, which acts on the image the button has.
class HoverColorProperties {
  public:
    explicit HoverColorProperties(ButtonBase& host) : host_(host) {
        colours_.interfaceStyle = interfacestyle::current();
    }
    virtual ~HoverColorProperties() = default;

    bool iconTemplate() const { return iconTemplate_; }
    void setIconTemplate(bool on);
    cg::Color fontHover() const { return colours_.fontHover; }
    void setFontHover(cg::Color c) { colours_.fontHover = c; }
    cg::Color bgHover() const { return colours_.bgHover; }
    void setBgHover(cg::Color c) { colours_.bgHover = c; }
    cg::Color bgForced() const { return colours_.bgForced; }
    void setBgForced(cg::Color c) { colours_.bgForced = c; }
    cg::Color borderHover() const { return colours_.borderHover; }
    void setBorderHover(cg::Color c) { colours_.borderHover = c; }
    double alphaHover() const { return colours_.alphaHover; }
    void setAlphaHover(double a) { colours_.alphaHover = a; }
    cg::Color bgColorBack() const { return colours_.bgColorBack; }
    cg::Color borderColorBack() const { return colours_.borderColorBack; }
    double alphaBack() const { return colours_.alphaBack; }
    InterfaceStyle interfaceStyle() const { return colours_.interfaceStyle; }
    bool momentaryChange() const { return momentaryChange_; }
    void setMomentaryChange(bool on) { momentaryChange_ = on; }

  protected:
    ButtonBase& host_;
    HoverColors colours_;
    bool iconTemplate_ = false;
    bool momentaryChange_ = true;
    std::optional<bool> lastHovered_;  // the last hover pass, to repeat when the style changes
};

// The title in one colour over its whole length.
void recolourTitle(ButtonBase& button, const cg::Color& colour);

// Takes the resting colours (forced background, storyboard border) and opacity in awakeFromNib.
void saveRestingLook(ButtonBase& button, HoverColors& colours);

// Whether accent colours apply now (offered by the platform and switched on).
bool accentColorsOn(const ButtonBase& button);
// The inputs of the accent derivation as the button stands now, with a fresh interface style.
AccentInputs accentInputs(const ButtonBase& button, HoverColors& colours);
// Stores the derived colours and sets the layer's border to the derived one.
void storeAccentColors(ButtonBase& button, HoverColors& colours, const AccentColors& derived);

// The hovered look; the cursor turns into a hand.
void showHoverLook(ButtonBase& button, const HoverColors& colours, bool iconTemplate);
// The resting look. Hover colours stay when the button is on and `momentaryChange` is false. A
// clear resting title colour leaves the title as it is, so it never turns invisible.
void showRestingLook(ButtonBase& button, const HoverColors& colours, bool iconTemplate, bool momentaryChange);

}  // namespace controls
