#include "Controls/HoverColors.h"

#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Extensions/AppKit/ViewHelpers.h"

namespace controls {

void HoverColorProperties::setIconTemplate(bool on) {
    iconTemplate_ = on;
    if (host_.image()) {
        host_.image()->isTemplate = on;
        host_.update();
    }
}

void recolourTitle(ButtonBase& button, const cg::Color& colour) {
    button.setAttributedTitle(button.attributedTitle().withForegroundColor(colour));
}

void saveRestingLook(ButtonBase& button, HoverColors& colours) {
    if (!view::isClear(colours.bgForced)) colours.bgColorBack = colours.bgForced;
    if (const auto border = view::borderColor(button)) colours.borderColorBack = *border;
}

bool accentColorsOn(const ButtonBase& button) {
    return SystemAppearance::instance().accentColorsAvailable() && view::colorAccent(button);
}

AccentInputs accentInputs(const ButtonBase& button, HoverColors& colours) {
    colours.interfaceStyle = interfacestyle::current();
    AccentInputs in;
    in.style = colours.interfaceStyle;
    in.accent = SystemAppearance::instance().controlAccentColor();
    in.hasBackground = !view::isClear(view::background(button));
    in.bgHoverSet = !view::isClear(colours.bgHover);
    in.bgColorBackSet = !view::isClear(colours.bgColorBack);
    in.bgForcedSet = !view::isClear(colours.bgForced);
    in.fontHoverSet = !view::isClear(colours.fontHover);
    return in;
}

void storeAccentColors(ButtonBase& button, HoverColors& colours, const AccentColors& derived) {
    if (derived.bgHover) colours.bgHover = *derived.bgHover;
    if (derived.bgColorBack) colours.bgColorBack = *derived.bgColorBack;
    if (derived.fontHover) colours.fontHover = *derived.fontHover;
    if (derived.fontColor) colours.fontColor = *derived.fontColor;
    if (derived.borderHover) colours.borderHover = *derived.borderHover;
    if (derived.border) {
        view::setBorderColor(button, derived.border);
        colours.borderColorBack = view::borderColor(button).value_or(cg::Color::clear());
    }
}

void showHoverLook(ButtonBase& button, const HoverColors& colours, bool iconTemplate) {
    appkit::Layer* layer = button.layer();
    if (layer && !view::isClear(colours.bgHover)) layer->backgroundColor = colours.bgHover;
    if (layer && !view::isClear(colours.borderHover)) layer->borderColor = colours.borderHover;
    if (layer) button.layerDidChange();
    if (!view::isClear(colours.fontHover)) recolourTitle(button, colours.fontHover);
    button.addCursorRect(Qt::PointingHandCursor);
    if (colours.alphaHover != -1) button.setAlphaValue(colours.alphaHover);
    if (iconTemplate && button.image() && button.image() == button.alternateImage()) {
        button.image()->isTemplate = false;
        button.update();
    }
}

void showRestingLook(ButtonBase& button, const HoverColors& colours, bool iconTemplate,
                     bool momentaryChange) {
    button.addCursorRect(Qt::ArrowCursor);
    if (button.state() == ButtonBase::StateValue::Off || momentaryChange) {
        if (appkit::Layer* layer = button.layer()) {
            layer->backgroundColor = colours.bgColorBack;
            layer->borderColor = colours.borderColorBack;
            button.layerDidChange();
        }
        if (!view::isClear(colours.fontColor)) recolourTitle(button, colours.fontColor);
    }
    if (colours.alphaBack != -1) button.setAlphaValue(colours.alphaBack);  // unset before awakeFromNib
    if (iconTemplate && button.image()) {
        button.image()->isTemplate = true;
        button.update();
    }
}

}  // namespace controls
