#pragma once
// Whole pixels of a side computed in floating point. A ratio times a side lands a hair off the whole
// number it stands for (1280 / 4928 * 4928 is 1279.9999999999998): such a value is that whole number;
// any true fraction is dropped, as the size rules ask. Pure function, safe anywhere.

#include <cmath>

namespace cg {

// The whole number `value` stands for when it lies within a millionth of a pixel of one, else
// `value` rounded down.
inline double wholePixels(double value) {
    const double nearest = std::round(value);
    return std::fabs(value - nearest) < 1e-6 ? nearest : std::floor(value);
}

}  // namespace cg
