#include "Extensions/DataExtensions.h"

#include <cstdlib>

namespace data {

namespace {
// The ratio of the sides that are not 0 (a zero side stays 0 whatever the ratio); `pick` chooses
// between the two when both sides count.
template <class Pick>
cg::Size scaledToBound(cg::Size s, cg::Size bound, Pick pick) {
    double r = 0;
    if (s.width != 0 && s.height != 0) {
        r = pick(bound.width / s.width, bound.height / s.height);
    } else if (s.width != 0) {
        r = bound.width / s.width;
    } else if (s.height != 0) {
        r = bound.height / s.height;
    }
    return {s.width * r, s.height * r};
}
}  // namespace

double aspectRatio(cg::Size s) {
    return s.height == 0 ? 0 : s.width / s.height;
}

cg::Size aspectFit(cg::Size s, cg::Size bound) {
    return scaledToBound(s, bound, [](double a, double b) { return std::min(a, b); });
}

cg::Size aspectFill(cg::Size s, cg::Size bound) {
    const cg::Size scaled = scaledToBound(s, bound, [](double a, double b) { return std::max(a, b); });
    return {std::min(scaled.width, bound.width), std::min(scaled.height, bound.height)};
}

bool randomValue() {
    return arc4random_uniform(2) == 1;
}

}  // namespace data
