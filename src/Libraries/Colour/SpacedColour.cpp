#include "Libraries/Colour/SpacedColour.h"

namespace colour {

SpacedColour monochromeExpanded(const SpacedColour& c, ColourSpaceModel space) {
    if (c.space != ColourSpaceModel::monochrome || c.components.size() != 2 || space != ColourSpaceModel::rgb)
        return c;
    const double w = c.components[0], a = c.components[1];
    return {space, {w, w, w, a}};
}

RGBA rgba(const SpacedColour& c) {
    const auto& v = c.components;
    if (v.size() == 2) return rgba(cg::Color{v[0], v[0], v[0], v[1]});
    if (v.size() == 4) return rgba(cg::Color{v[0], v[1], v[2], v[3]});
    return {0, 0, 0, 1};
}

}  // namespace colour
