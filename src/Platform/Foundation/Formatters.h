#pragma once
// The number, date and byte-count texts shown to the user, in the user's locale (ICU's default
// locale, taken from the environment) and time zone. Each call makes its own formatter: safe from
// any thread.

#include <cstdint>
#include <string>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/DateFormatter.h"

namespace foundation {

// Sets the locale that the texts below follow (ICU's default locale), e.g. "en_US". Call it before
// other threads format texts.
void setDefaultLocale(const std::string& localeId);
// The current default locale's identifier.
std::string defaultLocale();

// `value` with at least `minFractionDigits` and at most `maxFractionDigits` fraction digits,
// rounded half-even, without grouping separators: 1280 -> "1280", 12.345 -> "12.34".
std::string formatDecimal(double value, int minFractionDigits, int maxFractionDigits);

// The date and time in the medium styles, e.g. "Dec 7, 2026, 8:47:53 AM".
std::string formatMediumDateTime(Date date);

// The date and time in the default time zone, in the given styles of the default locale.
std::string formatDateTime(Date date, DateStyle dateStyle, DateStyle timeStyle);

// An elapsed time in hours, minutes and seconds in the short units of the default locale
// ("1 hr, 2 min, 5 sec"), leaving out units that are zero; rounded to whole seconds, "0 sec" for 0.
std::string formatDurationShort(double seconds);

// A file size in decimal units as file browsers show it: "Zero KB", "1 byte", "532 bytes",
// "12 KB", "1.5 MB", "2.35 GB".
std::string formatByteCount(std::uint64_t bytes);

}  // namespace foundation
