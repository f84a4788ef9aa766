#include "Libraries/Colour/Construction.h"

#include "Libraries/Colour/ComponentGuard.h"

namespace colour {

std::optional<cg::Color> fromRGB(int red, int green, int blue, double alpha) {
    const auto inByteRange = [](int v) { return v >= 0 && v <= 255; };
    if (!inByteRange(red) || !inByteRange(green) || !inByteRange(blue)) return std::nullopt;
    return detail::makeRGBA(red / 255.0, green / 255.0, blue / 255.0, detail::clampUnit(alpha, 1));
}

cg::Color fromRGBHex(std::int64_t rgbHex, double alpha) {
    const auto bits = static_cast<std::uint64_t>(rgbHex);
    return detail::makeRGBA(static_cast<double>((bits >> 16) & 0xFF) / 255,
                            static_cast<double>((bits >> 8) & 0xFF) / 255,
                            static_cast<double>(bits & 0xFF) / 255, detail::clampUnit(alpha, 1));
}

cg::Color fromRGBA(double red, double green, double blue, double alpha) {
    return detail::makeRGBA(red, green, blue, alpha);
}

}  // namespace colour
