#include "Controls/ButtonTextColor.h"

namespace button {

cg::Color textColor(const controls::ButtonBase& button) {
    if (button.title().isEmpty()) return cg::Color::black();
    return button.attributedTitle().attributesAt(0).foregroundColor.value_or(cg::Color::black());
}

void setTextColor(controls::ButtonBase& button, const cg::Color& colour) {
    const controls::AttributedTitle& title = button.attributedTitle();
    if (title.length() == 0) return;
    controls::TitleAttributes attributes = title.attributesAt(0);
    if (attributes.empty()) return;
    attributes.foregroundColor = colour;
    button.setAttributedTitle({{{title.string(), attributes}}});
}

int fontBackground(const controls::ButtonBase& button) {
    return button.backgroundStyle();
}

void setFontBackground(controls::ButtonBase& button, int style) {
    button.setBackgroundStyle(style);
}

}  // namespace button
