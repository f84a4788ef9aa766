#include "Extensions/NumberDescriptions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace num {

std::string description(double v, bool singlePrecision) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";

    // Shortest digits in exponent form, e.g. "1.2345e+03", then laid out the platform's way.
    char buffer[64];
    const auto result = singlePrecision
                            ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(v),
                                            std::chars_format::scientific)
                            : std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string_view mantissa = text.substr(0, e);
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    const bool negative = !mantissa.empty() && mantissa.front() == '-';
    if (negative) mantissa.remove_prefix(1);
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') digits += c;
    }
    const std::string sign = negative ? "-" : "";

    const double magnitude = std::fabs(v);
    const double top = singlePrecision ? 16777216.0 : 9007199254740992.0;
    if (magnitude != 0 && (magnitude < 1e-4 || magnitude >= top)) {
        std::string out = sign + digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        const int shown = std::abs(exponent);
        out += exponent < 0 ? "e-" : "e+";
        if (shown < 10) out += '0';
        return out + std::to_string(shown);
    }
    if (exponent < 0) return sign + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
        return sign + digits + std::string(integerDigits - digits.size(), '0') + ".0";
    }
    return sign + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

}  // namespace num
