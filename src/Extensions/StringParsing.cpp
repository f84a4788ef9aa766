#include "Extensions/StringParsing.h"

#include <charconv>

#include "Platform/Foundation/DateFormatter.h"
#include "Platform/Foundation/Scanner.h"
#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace str {

namespace {

std::optional<foundation::Date> fixedFormatDate(std::string_view text, std::string_view format) {
    if (text.empty() || format.empty()) return std::nullopt;
    return foundation::DateFormatter::fixedFormat(std::string(format)).date(std::string(text));
}

}  // namespace

std::optional<std::int64_t> int_(std::string_view s) {
    std::string_view digits = s;
    const bool negative = !s.empty() && s.front() == '-';
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    // Parsed with the sign attached, so that the most negative value reads too.
    const std::string text = (negative ? "-" : "") + std::string(digits);
    std::int64_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> bool_(std::string_view s) {
    const std::string word = foundation::lowercased(foundation::trimmingWhitespaceAndNewlines(s));
    if (word == "true" || word == "yes" || word == "1") return true;
    if (word == "false" || word == "no" || word == "0") return false;
    return std::nullopt;
}

std::optional<foundation::Date> date(std::string_view s) {
    return fixedFormatDate(foundation::lowercased(foundation::trimmingWhitespaceAndNewlines(s)),
                           "yyyy-MM-dd");
}

std::optional<foundation::Date> dateTime(std::string_view s) {
    return fixedFormatDate(foundation::lowercased(foundation::trimmingWhitespaceAndNewlines(s)),
                           "yyyy-MM-dd HH:mm:ss");
}

std::optional<foundation::Date> date(std::string_view s, std::string_view withFormat) {
    return fixedFormatDate(s, withFormat);
}

bool isNumeric(std::string_view s) {
    foundation::Scanner scanner{std::string(s), foundation::decimalSeparator({})};
    return scanner.scanDecimal().has_value() && scanner.isAtEnd();
}

bool isDigits(std::string_view s) {
    for (char32_t c : foundation::scalars(s))
        if (!foundation::isMember(c, foundation::CharacterClass::DecimalDigits)) return false;
    return true;
}

}  // namespace str
