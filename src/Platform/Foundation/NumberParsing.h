#pragma once
// Reading a number from text the way a number formatter with a given locale reads it: the locale's
// own decimal and grouping separators apply, the whole text must be the number. Each call makes its
// own formatter: safe from any thread.

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

// The number in `text` under `localeId` (an ICU locale identifier such as "de_DE"; empty means the
// default locale), fractions allowed; absent when the text as a whole is not a number.
std::optional<double> parseNumber(std::string_view text, const std::string& localeId);

}  // namespace foundation
