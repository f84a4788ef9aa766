#pragma once
// The weekday of a date in the user's calendar (0 = Sunday ... 6 = Saturday), its name in the
// user's language, and two day tests. "Now" is a parameter, the system clock by default. Pure; any
// thread.

#include <cstdint>
#include <optional>
#include <string>

#include "Libraries/Date/Components.h"

namespace dates {

enum class Week { sunDay = 0, monDay, tuesDay, wednesDay, thursDay, friDay, saturDay };

// The day of that raw value; absent outside 0...6.
std::optional<Week> weekFromRawValue(std::int64_t rawValue);

std::int64_t weekdayIndex(Date date);
bool isSunday(Date date);
bool isMonday(Date date);
bool isTuesday(Date date);
bool isWednesday(Date date);
bool isThursday(Date date);
bool isFriday(Date date);
bool isSaturday(Date date);

// "Sunday" and "Sun" in English.
std::string weekdayName(Date date);
std::string shortWeekdayName(Date date);
// The short name of weekday `index` (0 = Sunday); empty outside the week.
std::string shortWeekdayName(std::int64_t index);

// Whether `date` lies before the start of today.
bool isBeforeToday(Date date, Date now = Date::now());
// Whether both dates fall on the same day of the user's calendar (era included, so the same
// day number of two Japanese eras is not the same day).
bool isSameDay(Date date, Date other);

}  // namespace dates
