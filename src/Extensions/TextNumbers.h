#pragma once
// Numbers read from the start of a text or from the whole of it, with a fallback instead of an
// error. Decimal separator ".". Pure functions; safe from any thread.

#include <cstdint>
#include <optional>
#include <string_view>

namespace text {

// The number at the start of the text (after white space), 0 when there is none: "3.5kg" gives 3.5.
double scannedDouble(std::string_view s);
float scannedFloat(std::string_view s);
// The trimmed text as a base-10 integer; absent when it is not one or is negative.
std::optional<std::int64_t> nonNegativeInt(std::string_view s);
// The untrimmed text as a base-10 integer, else 0.
std::int64_t intOrZero(std::string_view s);

}  // namespace text
