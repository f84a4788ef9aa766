#pragma once
// Numbers read from text with a locale, as a number formatter of that locale reads them ("12,5" is
// 12.5 where the decimal separator is a comma). The size picker reads its percentage and the
// command-line parser its decimal options with these. Safe from any thread.

#include <optional>
#include <string>
#include <string_view>

namespace str {

// The locale is an ICU identifier ("de_DE"); empty means the user's current locale.
std::optional<float> float_(std::string_view s, const std::string& locale = {});
std::optional<double> double_(std::string_view s, const std::string& locale = {});
// Absent also when the number does not convert to a double exactly.
std::optional<double> cgFloat(std::string_view s, const std::string& locale = {});

}  // namespace str
