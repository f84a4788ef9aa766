#include "Extensions/StringNumbers.h"

#include "Platform/Foundation/NumberParsing.h"

namespace str {

std::optional<float> float_(std::string_view s, const std::string& locale) {
    const auto value = foundation::parseNumber(s, locale);
    if (!value) return std::nullopt;
    return static_cast<float>(*value);
}

std::optional<double> double_(std::string_view s, const std::string& locale) {
    return foundation::parseNumber(s, locale);
}

std::optional<double> cgFloat(std::string_view s, const std::string& locale) {
    // CGFloat is a double here, so every parsed number converts exactly.
    return foundation::parseNumber(s, locale);
}

}  // namespace str
