#pragma once
// Reading and changing one calendar field of a date (year, month, ..., millisecond), and building a
// date from separate fields. Fields are read in the library calendar: the user's calendar system
// with plain week rules, made afresh for every call, so a change of the user's calendar shows at
// once. Pure functions apart from the setters, which change only the date they are given; any thread.

#include <cstdint>
#include <optional>

#include "Platform/Foundation/Calendar.h"
#include "Platform/Foundation/Date.h"

namespace dates {

using foundation::Calendar;
using foundation::Date;
using Component = foundation::CalendarComponent;

// A calendar of the user's calendar system (Gregorian, Buddhist, ...) with Sunday as the first
// weekday, week 1 holding 1 January, no locale and the default time zone.
Calendar libraryCalendar();

// Field `c` of `date` in the library calendar (months from 1, weekdays from 1 = Sunday).
std::int64_t component(Date date, Component c);

std::int64_t era(Date date);
std::int64_t year(Date date);
// 1 to 4 from the month: a quarter is a fourth of the calendar's months (13 months: 3.25 each).
std::int64_t quarter(Date date);
std::int64_t month(Date date);
std::int64_t weekOfYear(Date date);
std::int64_t weekOfMonth(Date date);
std::int64_t weekday(Date date);
std::int64_t day(Date date);
std::int64_t hour(Date date);
std::int64_t minute(Date date);
std::int64_t second(Date date);
std::int64_t nanosecond(Date date);
// The millisecond of the second, 0 to 999. A date holds about a microsecond of precision, so the
// fraction is read to the microsecond before it is cut to whole milliseconds.
std::int64_t millisecond(Date date);

// The setters change `date` to carry the new value, moving the larger fields as adding does
// (month 2 on 31 January gives the last day of February). A value outside the field's range within
// the enclosing unit (month 13, day 31 in April, hour 24, a year below 1) leaves `date` unchanged.
void setYear(Date& date, std::int64_t value);
void setMonth(Date& date, std::int64_t value);
void setDay(Date& date, std::int64_t value);
void setHour(Date& date, std::int64_t value);
void setMinute(Date& date, std::int64_t value);
void setSecond(Date& date, std::int64_t value);
void setNanosecond(Date& date, std::int64_t value);
// Sets the fraction of the same second to `value` milliseconds (0 to 999).
void setMillisecond(Date& date, std::int64_t value);

// A copy of `date` with field `c` set as its setter would set it; absent where the setter would
// leave the date unchanged. Other fields (era, weekday, weeks, weekday ordinal, quarter, week-year):
// the date itself when it already has that value, else the first later moment that has it (the start
// of that day, week-year or era), absent when none does.
std::optional<Date> changing(Date date, Component c, std::int64_t value);

// The date `calendar` makes of the given fields (unset ones count from their smallest value), in
// `timeZone` or else the calendar's own zone. Absent without a calendar or when the fields name no
// date.
std::optional<Date> fromComponents(const std::optional<Calendar>& calendar,
                                   const std::optional<foundation::TimeZone>& timeZone,
                                   std::optional<std::int64_t> era, std::optional<std::int64_t> year,
                                   std::optional<std::int64_t> month, std::optional<std::int64_t> day,
                                   std::optional<std::int64_t> hour, std::optional<std::int64_t> minute,
                                   std::optional<std::int64_t> second,
                                   std::optional<std::int64_t> nanosecond);

}  // namespace dates
