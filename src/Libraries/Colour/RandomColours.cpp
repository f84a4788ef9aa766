#include "Libraries/Colour/RandomColours.h"

#include "Libraries/Colour/Construction.h"

namespace colour {

std::uint32_t detail::drawBelow(RandomSource& source, std::uint32_t bound) {
    const std::uint32_t value = source.uniform(bound);
    return bound == 0 ? 0 : value % bound;
}

namespace {

cg::Color fromOffsets(int base, int redRange, int greenBlueRange, RandomSource& source) {
    const int red = base + static_cast<int>(detail::drawBelow(source, redRange));
    const int green = base + static_cast<int>(detail::drawBelow(source, greenBlueRange));
    const int blue = base + static_cast<int>(detail::drawBelow(source, greenBlueRange));
    return *fromRGB(red, green, blue, 1);  // always within 0...255
}

}  // namespace

cg::Color random(RandomSource& source) {
    const double red = detail::drawBelow(source, 256) / 255.0;
    const double green = detail::drawBelow(source, 256) / 255.0;
    const double blue = detail::drawBelow(source, 256) / 255.0;
    return {red, green, blue, 1};
}

cg::Color randomLight(RandomSource& source) {
    return fromOffsets(140, 116, 101, source);
}

cg::Color randomDark(RandomSource& source) {
    return fromOffsets(70, 131, 101, source);
}

}  // namespace colour
