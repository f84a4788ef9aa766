#pragma once
// The title colour and cell background style of any button, as screens set them by name.
// Main thread only.

#include "Controls/ButtonBase.h"

namespace button {

// Black for an empty title; otherwise the first character's colour, black when it has none.
cg::Color textColor(const controls::ButtonBase& button);
// The whole title takes the first character's attributes with `colour`; an empty title, or one
// whose first character has no attributes, is left alone.
void setTextColor(controls::ButtonBase& button, const cg::Color& colour);

int fontBackground(const controls::ButtonBase& button);
void setFontBackground(controls::ButtonBase& button, int style);

}  // namespace button
