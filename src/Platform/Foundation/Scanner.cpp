#include "Platform/Foundation/Scanner.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "Platform/Foundation/TextServices.h"

namespace foundation {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The byte length of the scalar at `at` (1 for an ill-formed byte) and whether it is white space.
std::pair<std::size_t, bool> whitespaceAt(std::string_view text, std::size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    length = std::min(length, text.size() - at);
    const std::u32string s = scalars(text.substr(at, length));
    if (s.size() != 1) return {1, false};
    return {length, isMember(s.front(), CharacterClass::WhitespacesAndNewlines)};
}

template <typename T>
T parsed(const std::string& number) {
    T value{};
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large in magnitude gives infinity, too small gives zero, as the platform does.
        const bool negative = number.front() == '-';
        const auto e = number.find_first_of("eE");
        const bool tiny = e != std::string::npos && number.find('-', e) != std::string::npos;
        const T magnitude = tiny ? T{0} : std::numeric_limits<T>::infinity();
        return negative ? -magnitude : magnitude;
    }
    return value;
}

}  // namespace

Scanner::Scanner(std::string text, std::string decimalSeparator)
    : text_(std::move(text)), separator_(std::move(decimalSeparator)) {}

void Scanner::skipWhitespace() {
    while (location_ < text_.size()) {
        const auto [length, white] = whitespaceAt(text_, location_);
        if (!white) return;
        location_ += length;
    }
}

bool Scanner::isAtEnd() const {
    for (std::size_t at = location_; at < text_.size();) {
        const auto [length, white] = whitespaceAt(text_, at);
        if (!white) return false;
        at += length;
    }
    return true;
}

std::optional<std::string> Scanner::scanUpTo(std::string_view marker) {
    skipWhitespace();
    if (location_ >= text_.size()) return std::nullopt;
    std::size_t end = marker.empty() ? std::string::npos : text_.find(marker, location_);
    if (end == std::string::npos) end = text_.size();
    if (end == location_) return std::nullopt;
    std::string out = text_.substr(location_, end - location_);
    location_ = end;
    return out;
}

std::optional<std::pair<std::string, std::size_t>> Scanner::numberAhead(std::string_view separator) {
    const std::string_view t(text_);
    std::size_t at = location_;
    std::string out;
    if (at < t.size() && (t[at] == '+' || t[at] == '-')) {
        if (t[at] == '-') out += '-';
        ++at;
    }
    std::size_t digits = 0;
    while (at < t.size() && isDigit(t[at])) out += t[at++], ++digits;
    if (!separator.empty() && t.substr(at, separator.size()) == separator) {
        std::size_t after = at + separator.size();
        std::size_t fraction = 0;
        std::string part;
        while (after < t.size() && isDigit(t[after])) part += t[after++], ++fraction;
        if (digits + fraction > 0) {
            out += '.' + part;
            digits += fraction;
            at = after;
        }
    }
    if (digits == 0) return std::nullopt;
    if (at < t.size() && (t[at] == 'e' || t[at] == 'E')) {
        std::size_t after = at + 1;
        std::string exponent = "e";
        if (after < t.size() && (t[after] == '+' || t[after] == '-')) exponent += t[after++];
        const std::size_t firstDigit = after;
        while (after < t.size() && isDigit(t[after])) exponent += t[after++];
        if (after > firstDigit) {
            out += exponent;
            at = after;
        }
    }
    return std::make_pair(out, at - location_);
}

template <typename T>
std::optional<T> Scanner::scanNumber(std::string_view separator) {
    skipWhitespace();
    const auto number = numberAhead(separator);
    if (!number) return std::nullopt;
    location_ += number->second;
    return parsed<T>(number->first);
}

std::optional<double> Scanner::scanDouble() {
    return scanNumber<double>(".");
}

std::optional<float> Scanner::scanFloat() {
    return scanNumber<float>(".");
}

std::optional<double> Scanner::scanDecimal() {
    return scanNumber<double>(separator_);
}

}  // namespace foundation
