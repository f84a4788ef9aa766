#pragma once
// Integers, truth values and dates read from text, and tests for numeric text. Dates read with a
// fixed pattern in the current time zone. Pure functions; safe from any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/Date.h"

namespace str {

// Base 10: an optional "+" or "-", then ASCII digits only, nothing else (no spaces); absent when
// out of the 64-bit range.
std::optional<std::int64_t> int_(std::string_view s);
// After trimming and lower-casing: "true", "yes", "1" are true; "false", "no", "0" false.
std::optional<bool> bool_(std::string_view s);

// The trimmed, lower-cased text as "yyyy-MM-dd" / "yyyy-MM-dd HH:mm:ss" in the current time zone.
std::optional<foundation::Date> date(std::string_view s);
std::optional<foundation::Date> dateTime(std::string_view s);
// The untrimmed text in the given pattern (ICU pattern letters), in the current time zone.
std::optional<foundation::Date> date(std::string_view s, std::string_view withFormat);

// One decimal number in the current locale's notation, with nothing but white space around it.
bool isNumeric(std::string_view s);
// Every scalar is a decimal digit (of any script); true for an empty text.
bool isDigits(std::string_view s);

}  // namespace str
