#include "Extensions/TextNumbers.h"

#include <string>

#include "Extensions/StringParsing.h"
#include "Platform/Foundation/Scanner.h"
#include "Platform/Foundation/TextSearch.h"

namespace text {

double scannedDouble(std::string_view s) {
    return foundation::Scanner(std::string(s)).scanDouble().value_or(0.0);
}

float scannedFloat(std::string_view s) {
    return foundation::Scanner(std::string(s)).scanFloat().value_or(0.0f);
}

std::optional<std::int64_t> nonNegativeInt(std::string_view s) {
    const auto value = str::int_(foundation::trimmingWhitespaceAndNewlines(s));
    if (!value || *value < 0) return std::nullopt;
    return value;
}

std::int64_t intOrZero(std::string_view s) {
    return str::int_(s).value_or(0);
}

}  // namespace text
