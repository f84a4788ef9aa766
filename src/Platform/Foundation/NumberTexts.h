#pragma once
// Number texts made by ICU's number formatters: currency, spelled-out and ordinal words, and the
// plain decimal text with a suffix that the short-scale abbreviations use. A locale is an ICU
// identifier ("fr_FR"); empty means the user's current locale. Each call makes its own formatter:
// safe from any thread.

#include <cstdint>
#include <optional>
#include <string>

namespace foundation {

// How a number formatter rounds to its last digit (the platform formatter's modes).
enum class RoundingMode { Ceiling, Floor, Down, Up, HalfEven, HalfDown, HalfUp };

// Currency style ("$1,234.50" in en_US); absent when the locale has no currency text for the value.
std::optional<std::string> currencyText(double value, const std::string& locale = {});
std::optional<std::string> currencyText(std::int64_t value, const std::string& locale = {});

// Spell-out ("forty-two") and ordinal ("42nd") texts; absent for a non-finite value.
std::optional<std::string> spelledOutText(double value, const std::string& locale = {});
std::optional<std::string> spelledOutText(std::int64_t value, const std::string& locale = {});
std::optional<std::string> ordinalText(double value, const std::string& locale = {});
std::optional<std::string> ordinalText(std::int64_t value, const std::string& locale = {});

// `value` without grouping, with at least one integer digit, 0 to `maxFractionDigits` fraction
// digits rounded by `mode`, followed by `suffix` (also after a negative value): "1.5K".
std::string decimalTextWithSuffix(double value, int maxFractionDigits, RoundingMode mode,
                                  const std::string& suffix, const std::string& locale = {});

}  // namespace foundation
