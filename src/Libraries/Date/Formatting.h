#pragma once
// A date as text by style, by pattern or by the locale's own arrangement of a day or month name,
// an ISO 8601 text with milliseconds, and dates read back from ISO 8601 texts and from integers
// such as 20240229. The user's locale, time zone and calendar apply unless stated. Each call makes
// its own formatter: any thread.

#include <cstdint>
#include <optional>
#include <string>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/DateFormatter.h"

namespace dates {

using foundation::Date;
using foundation::DateStyle;

enum class DayNameStyle { threeLetters, oneLetter, full };
enum class MonthNameStyle { threeLetters, oneLetter, full };

// Date and time both in `style`; None gives the empty text.
std::string string(Date date, DateStyle dateAndTimeStyle);
std::string stringWithDateStyle(Date date, DateStyle dateStyle);  // no time
std::string stringWithTimeStyle(Date date, DateStyle timeStyle);  // no date
// The pattern as given (ICU's syntax, "yyyy-MM-dd HH:mm"), not rearranged for the locale.
std::string stringWithFormat(Date date, const std::string& format);
// "Mon", "M", "Monday" and "Feb", "F", "February" in English.
std::string dayName(Date date, DayNameStyle style);
std::string monthName(Date date, MonthNameStyle style);

// "2024-02-29T10:30:00.250Z": Greenwich time, 24-hour clock, exactly three fraction digits,
// whatever the user's locale and zone.
std::string iso8601String(Date date);
// The date of a text of that form with its own offset ("2024-02-29T10:30:00.250+0000" or ending
// in "Z"); absent for any other text (no fraction digits, trailing characters, ...).
std::optional<Date> fromIso8601String(const std::string& text);
// The start of the day that `yyyyMMdd` names in the default time zone; absent for a day that does
// not exist (20230229) or a number of another form.
std::optional<Date> fromYyyyMMdd(std::int64_t yyyyMMdd);

}  // namespace dates
