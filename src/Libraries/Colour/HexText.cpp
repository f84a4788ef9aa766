#include "Libraries/Colour/HexText.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"

namespace colour {
namespace {

std::string removingAll(std::string_view text, std::string_view what) {
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, from)) {
        result.append(text.substr(from, at - from));
        from = at + what.size();
    }
    result.append(text.substr(from));
    return result;
}

int hexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    return -1;
}

// A signed base-16 integer that must fill the whole text and fit in 64 bits.
std::optional<std::int64_t> parseSignedHex(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const std::uint64_t limit = negative
                                    ? std::uint64_t{1} << 63
                                    : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t magnitude = 0;
    for (const char ch : text) {
        const int digit = hexDigit(ch);
        if (digit < 0) return std::nullopt;
        if (magnitude > (limit - static_cast<std::uint64_t>(digit)) / 16) return std::nullopt;
        magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
    }
    return static_cast<std::int64_t>(negative ? ~magnitude + 1 : magnitude);
}

bool isScannerSpace(char ch) {
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

// What a text scanner reads as an unsigned hexadecimal number at the start of the text: 0 when there is
// none, the largest value on overflow.
std::uint64_t scanHex(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isScannerSpace(text[i])) ++i;
    const std::string_view rest = text.substr(i);
    if ((rest.starts_with("0x") || rest.starts_with("0X")) && rest.size() > 2 && hexDigit(rest[2]) >= 0)
        i += 2;
    std::uint64_t value = 0;
    bool overflowed = false;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i) {
        if (value > (std::numeric_limits<std::uint64_t>::max() >> 4)) overflowed = true;
        value = value * 16 + static_cast<std::uint64_t>(hexDigit(text[i]));
    }
    return overflowed ? std::numeric_limits<std::uint64_t>::max() : value;
}

cg::Color fromLow24Bits(std::uint64_t bits, double alpha) {
    return detail::makeRGBA(static_cast<double>((bits >> 16) & 0xFF) / 255,
                            static_cast<double>((bits >> 8) & 0xFF) / 255,
                            static_cast<double>(bits & 0xFF) / 255, alpha);
}

}  // namespace

std::optional<cg::Color> fromHexString(std::string_view text, double alpha) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; });
    std::string digits(text);
    if (lowered.starts_with("0x"))
        digits = removingAll(text, "0x");
    else if (text.starts_with("#"))
        digits = removingAll(text, "#");
    if (digits.size() == 3) digits = {digits[0], digits[0], digits[1], digits[1], digits[2], digits[2]};

    const std::optional<std::int64_t> value = parseSignedHex(digits);
    if (!value) return std::nullopt;
    return fromLow24Bits(static_cast<std::uint64_t>(*value), detail::clampUnit(alpha, 1));
}

cg::Color fromHex(std::string_view text) {
    return fromLow24Bits(scanHex(removingAll(text, "#")), 1);
}

cg::Color fromHex(std::string_view text, float alpha) {
    return fromLow24Bits(scanHex(removingAll(text, "#")), static_cast<double>(alpha));
}

cg::Color colorFromHex(std::string_view text) {
    return fromHex(text);
}

std::uint32_t hexValue(const cg::Color& c) {
    const RGB255 v = rgb255(c);
    const auto byte = [](int channel) { return static_cast<std::uint32_t>(std::clamp(channel, 0, 255)); };
    return (byte(v.red) << 16) + (byte(v.green) << 8) + byte(v.blue);
}

std::string hexString(const cg::Color& c) {
    const RGB255 v = rgb255(c);
    char text[32];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(std::max(v.red, 0)),
                  static_cast<unsigned>(std::max(v.green, 0)), static_cast<unsigned>(std::max(v.blue, 0)));
    return text;
}

std::optional<std::string> shortHexString(const cg::Color& c) {
    const std::string digits = removingAll(hexString(c), "#");
    if (digits.size() != 6 || digits[0] != digits[1] || digits[2] != digits[3] || digits[4] != digits[5])
        return std::nullopt;
    return std::string{'#', digits[0], digits[2], digits[4]};
}

std::string shortestHexString(const cg::Color& c) {
    return shortHexString(c).value_or(hexString(c));
}

}  // namespace colour
