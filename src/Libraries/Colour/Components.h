#pragma once
// Reading a colour back as components: floating-point tuples and lists, 8-bit channel values, the alpha.
// Every colour here is red-green-blue (greys are kept as three equal channels), so the two read-out rules
// of the platform agree. Pure functions, any thread.

#include <array>

#include "Platform/Graphics/Color.h"

namespace colour {

struct RGBA {
    double red = 0, green = 0, blue = 0, alpha = 1;
    bool operator==(const RGBA&) const = default;
};

struct RGB {
    double red = 0, green = 0, blue = 0;
    bool operator==(const RGB&) const = default;
};

struct RGB255 {
    int red = 0, green = 0, blue = 0;
    bool operator==(const RGB255&) const = default;
};

// The read-out the screens and controls use. A colour holding a NaN or infinite component cannot be
// read and comes out as opaque black (0, 0, 0, 1), as an unreadable colour does.
RGBA rgba(const cg::Color& c);

// The same four values as a list, alpha last.
std::array<double, 4> rgbaComponents(const cg::Color& c);
RGB rgb(const cg::Color& c);

// 8-bit channel values: component x 255 truncated toward zero, not clamped (1.2 gives 306, -0.3 gives
// -76); values beyond the range of int are limited to it.
RGB255 rgb255(const cg::Color& c);
std::array<int, 4> rgba255(const cg::Color& c);

double redValue(const cg::Color& c);
double greenValue(const cg::Color& c);
double blueValue(const cg::Color& c);
double cgAlpha(const cg::Color& c);

// The colour as Core Image sees it; it has the same components here.
cg::Color coreImageColor(const cg::Color& c);

// One component as an 8-bit channel value (see rgb255).
int eightBitValue(double component);

}  // namespace colour
