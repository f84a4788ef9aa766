#pragma once
// A colour as the platform's colour objects hold it: a list of components in a colour space, alpha
// last. A grey of a monochrome space carries (white, alpha), an RGB colour (red, green, blue, alpha),
// a CMYK colour five values. The rest of this library works on red-green-blue colours; these bring
// a colour of another space to them. Plain values, any thread.

#include <vector>

#include "Libraries/Colour/Components.h"

namespace colour {

// The platform's colour-space models, with its numbers.
enum class ColourSpaceModel { monochrome = 0, rgb = 1, cmyk = 2 };

struct SpacedColour {
    ColourSpaceModel space = ColourSpaceModel::rgb;
    std::vector<double> components;
    bool operator==(const SpacedColour&) const = default;
};

// A grey (a colour of a monochrome space, white w and alpha a) rebuilt in `space` from (w, w, w, a);
// any other colour comes back unchanged, its components still in their own space. A target space
// that does not take three colour components cannot hold (w, w, w): the grey stays as it is.
SpacedColour monochromeExpanded(const SpacedColour& c, ColourSpaceModel space);

// The red, green, blue and alpha the screens read: two components give (w, w, w, a), four give
// themselves, any other count opaque black.
RGBA rgba(const SpacedColour& c);

}  // namespace colour
