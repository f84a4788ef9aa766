#pragma once
// Questions about a date against now and against other dates: past or future, today, weekend,
// the current week, month or year, the time since another date, lying between two dates or within
// a distance of one. Calendar questions go to the library calendar (see Components.h). "Now" is a
// parameter, read from the system clock by default, so callers and tests can fix it. Pure; any thread.

#include <cstdint>

#include "Libraries/Date/Components.h"

namespace dates {

bool isInPast(Date date, Date now = Date::now());
bool isInFuture(Date date, Date now = Date::now());
bool isToday(Date date, Date now = Date::now());
bool isYesterday(Date date, Date now = Date::now());
bool isTomorrow(Date date, Date now = Date::now());
// Saturday and Sunday (the library calendar has no locale of its own).
bool isWeekend(Date date);
bool isWeekday(Date date);
// Whether `date` lies in the same period of `c` as now (the same week, month, year, ...).
bool isInCurrent(Date date, Component c, Date now = Date::now());
bool isInCurrentWeek(Date date, Date now = Date::now());
bool isInCurrentMonth(Date date, Date now = Date::now());
bool isInCurrentYear(Date date, Date now = Date::now());

double secondsSince1970(Date date);
Date fromSecondsSince1970(double seconds);
// The time from `other` to `date`, unrounded; negative when `other` is later.
double secondsSince(Date date, Date other);
double minutesSince(Date date, Date other);
double hoursSince(Date date, Date other);
double daysSince(Date date, Date other);

// Whether `date` lies strictly between `a` and `b` (in either order); with `inclusive`, a date equal
// to either bound counts as well.
bool isBetween(Date date, Date a, Date b, bool inclusive);
// Whether `date` and `other` are at most `n` whole units of `c` apart, in either direction, as the
// calendar counts them (47 hours are 1 day).
bool isWithinDistance(Date date, std::uint64_t n, Component c, Date other);

}  // namespace dates
