#include "Controls/AccentColors.h"

#include <algorithm>

#include "Libraries/Colour/Components.h"

namespace controls {

cg::Color accentShifted(const cg::Color& accent, double d) {
    const colour::RGBA c = colour::rgba(accent);
    return {std::min(c.red + d, 1.0), std::min(c.green + d, 1.0), std::min(c.blue + d, 1.0), 1.0};
}

namespace {

AccentColors derive(const AccentInputs& in, bool popUp) {
    const bool dark = in.style == InterfaceStyle::Dark;
    auto shift = [&](double d) { return accentShifted(in.accent, d); };
    AccentColors out;
    if (in.bgHoverSet) out.bgHover = in.accent;
    if (in.bgColorBackSet && !in.bgForcedSet) out.bgColorBack = in.accent;
    if (!in.hasBackground) {
        (popUp ? out.fontColor : out.fontHover) = in.accent;
        out.borderHover = dark ? shift(0.4) : shift(-0.1);
        out.border = in.accent;
    } else {
        out.border = dark ? shift(0.6) : shift(-0.1);
        out.borderHover = dark ? shift(0.4) : shift(-0.3);
        if (popUp || !in.fontHoverSet) out.bgHover = dark ? shift(0.1) : shift(-0.1);
    }
    return out;
}

}  // namespace

AccentColors buttonAccentColors(const AccentInputs& in) {
    return derive(in, false);
}

AccentColors popUpAccentColors(const AccentInputs& in) {
    return derive(in, true);
}

}  // namespace controls
