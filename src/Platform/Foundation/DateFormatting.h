#pragma once
// Locale-aware texts for dates and durations, on ICU. The locale is always explicit; `currentLocale()`
// reads the user's choice from the environment (LC_ALL, LC_TIME, LANG) without touching the process
// locale. Thread-safe: every call makes its own formatter.

#include <string>

#include "Platform/Foundation/Date.h"

namespace foundation {

enum class DateStyle { None, Short, Medium, Long, Full };

// The user's locale identifier ("de_DE" for "de_DE.UTF-8"); "en_US_POSIX" for "C" and "POSIX".
std::string currentLocale();

// The date and time in the default time zone, in the locale's styles.
std::string formatDate(Date date, DateStyle dateStyle, DateStyle timeStyle, const std::string& locale);

// An elapsed time in hours, minutes and seconds in the locale's short units ("1 hr, 2 min, 5 sec"),
// leaving out units that are zero; whole seconds, rounded. 0 gives "0 sec".
std::string formatDurationShort(double seconds, const std::string& locale);

}  // namespace foundation
