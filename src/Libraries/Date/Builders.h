#pragma once
// Dates at fixed points (the start and end of a month, week, year or day, a time of day), whole
// years ... seconds added or taken away, whole-unit counts between dates, and the days of a month
// as a list. Month boundaries, adding and the month list read and build in the library calendar
// (Components.h); the week, year and time-of-day builders in the user's calendar with its first
// weekday. Every builder keeps the user's calendar system, so in a Buddhist calendar a day added is
// still tomorrow. A builder whose date cannot be made (fields beyond the calendar's range) gives the
// date itself. Pure; any thread.

#include <cstdint>
#include <vector>

#include "Libraries/Date/Components.h"

namespace dates {

// Day 1 of the month at 13:00:00.
Date startOfMonth(Date date);
Date startOfCurrentMonth(Date now = Date::now());
// The last day of the month at 23:00:00.
Date endOfMonth(Date date);
Date endOfCurrentMonth(Date now = Date::now());

// Adding and subtracting carry out-of-range fields into the larger ones without clamping: one
// month after 31 January is 3 March (31 February carried). The result is on a whole second; the
// date itself comes back when no date results.
Date addingYears(Date date, std::int64_t n);
Date subtractingYears(Date date, std::int64_t n);
Date addingMonths(Date date, std::int64_t n);
Date subtractingMonths(Date date, std::int64_t n);
Date addingDays(Date date, std::int64_t n);
Date subtractingDays(Date date, std::int64_t n);
Date addingHours(Date date, std::int64_t n);
Date subtractingHours(Date date, std::int64_t n);
Date addingMinutes(Date date, std::int64_t n);
Date subtractingMinutes(Date date, std::int64_t n);
Date addingSeconds(Date date, std::int64_t n);
Date subtractingSeconds(Date date, std::int64_t n);

// Day `weekday` (1 = Sunday ... 7 = Saturday; other values wrap) of the week that holds `date`,
// at 00:00:00. The week starts on the user's first weekday.
Date dateOfWeekday(Date date, std::int64_t weekday);
Date startOfWeek(Date date);
// The week's last day at hour:minute, with the minute's value as the second too (18:30:30), so
// that minute 0 gives 00:00:00 and minute 59 gives 23:59:59.
Date lastDayOfWeek(Date date, std::int64_t hour, std::int64_t minute);
Date lastDayOfWeek(Date date);    // 00:00:00
Date endOfWeek(Date date);        // 23:59:59
Date firstDayOfMonth(Date date);  // 00:00:00
Date lastDayOfMonth(Date date);   // 00:00:00
// That day of the date's year at hour:minute with the minute as the second (as lastDayOfWeek);
// out-of-range values carry.
Date dayOfYear(Date date, std::int64_t month, std::int64_t day, std::int64_t hour, std::int64_t minute);
Date startOfYear(Date date);  // 1 January 00:00:00
Date endOfYear(Date date);    // 31 December 23:59:59
Date at(Date date, std::int64_t hour, std::int64_t minute, std::int64_t second);
Date atTime(Date date, std::int64_t hour, std::int64_t minute);  // second = minute
Date startOfDay(Date date);  // 00:00:00, or the first moment after a skipped midnight
Date endOfDay(Date date);    // 23:59:59
// 28 to 31 in the Gregorian calendar.
std::int64_t numberOfDaysInMonth(Date date);

// Whole units between the dates, truncated toward zero; `from` is positive when `date` is later,
// `to` its negation.
std::int64_t secondsFrom(Date date, Date other);
std::int64_t secondsTo(Date date, Date other);
std::int64_t minutesFrom(Date date, Date other);
std::int64_t minutesTo(Date date, Date other);
std::int64_t hoursFrom(Date date, Date other);
std::int64_t hoursTo(Date date, Date other);
std::int64_t daysFrom(Date date, Date other);
std::int64_t daysTo(Date date, Date other);

// One day of a month grid.
struct CalendarCell {
    Date date;
};

// The days 1 to n of the month that holds `date`, each at 13:00:00 local time.
std::vector<CalendarCell> monthCells(Date date);

}  // namespace dates
