#pragma once
// The colours the styled buttons derive from the accent colour, per interface style: a pure
// computation, so the tables can be checked without a widget. Any thread.

#include <optional>

#include "Controls/InterfaceStyle.h"
#include "Platform/Graphics/Color.h"

namespace controls {

// Each of red, green and blue moved by `d` and capped at 1.0 (not bounded below; painting clamps),
// alpha 1.
cg::Color accentShifted(const cg::Color& accent, double d);

struct AccentInputs {
    InterfaceStyle style = InterfaceStyle::Light;
    cg::Color accent;
    bool hasBackground = false;  // the view's layer has a background colour
    bool bgHoverSet = false, bgColorBackSet = false, bgForcedSet = false, fontHoverSet = false;
};

// The colours to store; absent ones stay as they are.
struct AccentColors {
    std::optional<cg::Color> bgHover, bgColorBack, fontHover, fontColor, borderHover, border;
};

// `Button`: without a background the hover title takes the accent; with one, the hover background
// is derived only while no hover title colour is set.
AccentColors buttonAccentColors(const AccentInputs& in);
// `PopUpButton`: without a background the resting title takes the accent; with one, the hover
// background is always derived.
AccentColors popUpAccentColors(const AccentInputs& in);

}  // namespace controls
