#include "Libraries/Date/Builders.h"

#include <limits>

#include "Extensions/LocaleExtensions.h"
#include "Platform/Foundation/WholeCount.h"

namespace dates {

namespace {

using C = Component;
using foundation::DateComponents;

// The date `calendar` makes of `fields`, or `fallback`.
Date built(const Calendar& calendar, const DateComponents& fields, Date fallback) {
    return calendar.date(fields).value_or(fallback);
}

Date monthBoundary(Date date, bool end) {
    const Calendar calendar = libraryCalendar();
    DateComponents fields = calendar.dateComponents({C::era, C::year, C::month}, date);
    if (!fields.month) return date;
    // The end is hour -1 of the next month's first day: 23:00 of the month's last day.
    fields.month = *fields.month + (end ? 1 : 0);
    fields.day = 1;
    fields.hour = end ? -1 : 13;
    fields.minute = 0;
    return built(calendar, fields, date);
}

// `date` with field `u` moved by `n` and the out-of-range value carried, on a whole second.
Date shifted(Date date, C u, std::int64_t n) {
    const Calendar calendar = libraryCalendar();
    DateComponents fields =
        calendar.dateComponents({C::era, C::year, C::month, C::day, C::hour, C::minute, C::second}, date);
    const auto value = fields.value(u);
    std::int64_t moved = 0;
    if (!value || __builtin_add_overflow(*value, n, &moved)) return date;
    fields.setValue(u, moved);
    return built(calendar, fields, date);
}

Date unshifted(Date date, C u, std::int64_t n) {
    if (n == std::numeric_limits<std::int64_t>::min()) return date;
    return shifted(date, u, -n);
}

// The day of `date` in `calendar` at the given time of day, out-of-range values carried.
Date onDay(const Calendar& calendar, Date date, std::int64_t hour, std::int64_t minute, std::int64_t second) {
    DateComponents fields = calendar.dateComponents({C::era, C::year, C::month, C::day}, date);
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return built(calendar, fields, date);
}

// Day `weekday` of the week of `date` in the user's calendar; weekdays wrap within the week.
Date weekdayAt(Date date, std::int64_t weekday, std::int64_t hour, std::int64_t minute, std::int64_t second) {
    const Calendar calendar = Calendar::current();
    const auto start = calendar.startOf(C::weekOfYear, date);
    if (!start) return date;
    const std::int64_t offset = ((weekday % 7) - calendar.firstWeekday() + 14) % 7;
    const auto day = calendar.dateByAdding(C::day, offset, *start);
    return day ? onDay(calendar, *day, hour, minute, second) : date;
}

Date yearDay(Date date, std::int64_t month, std::int64_t day, std::int64_t hour, std::int64_t minute,
             std::int64_t second) {
    const Calendar calendar = Calendar::current();
    DateComponents fields = calendar.dateComponents({C::era, C::year}, date);
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return built(calendar, fields, date);
}

std::int64_t wholeUnits(Date date, Date other, double unit) {
    return foundation::wholeCount(date.timeIntervalSince(other) / unit);
}

}  // namespace

Date startOfMonth(Date date) {
    return monthBoundary(date, false);
}
Date startOfCurrentMonth(Date now) {
    return startOfMonth(now);
}
Date endOfMonth(Date date) {
    return monthBoundary(date, true);
}
Date endOfCurrentMonth(Date now) {
    return endOfMonth(now);
}

Date addingYears(Date date, std::int64_t n) {
    return shifted(date, C::year, n);
}
Date subtractingYears(Date date, std::int64_t n) {
    return unshifted(date, C::year, n);
}
Date addingMonths(Date date, std::int64_t n) {
    return shifted(date, C::month, n);
}
Date subtractingMonths(Date date, std::int64_t n) {
    return unshifted(date, C::month, n);
}
Date addingDays(Date date, std::int64_t n) {
    return shifted(date, C::day, n);
}
Date subtractingDays(Date date, std::int64_t n) {
    return unshifted(date, C::day, n);
}
Date addingHours(Date date, std::int64_t n) {
    return shifted(date, C::hour, n);
}
Date subtractingHours(Date date, std::int64_t n) {
    return unshifted(date, C::hour, n);
}
Date addingMinutes(Date date, std::int64_t n) {
    return shifted(date, C::minute, n);
}
Date subtractingMinutes(Date date, std::int64_t n) {
    return unshifted(date, C::minute, n);
}
Date addingSeconds(Date date, std::int64_t n) {
    return shifted(date, C::second, n);
}
Date subtractingSeconds(Date date, std::int64_t n) {
    return unshifted(date, C::second, n);
}

Date dateOfWeekday(Date date, std::int64_t weekday) {
    return weekdayAt(date, weekday, 0, 0, 0);
}
Date startOfWeek(Date date) {
    return weekdayAt(date, Calendar::current().firstWeekday(), 0, 0, 0);
}
// The time-of-day builders that take no second use the minute for it: 00:00:00 and 23:59:59 come out
// of minute 0 and minute 59 alike.
Date lastDayOfWeek(Date date, std::int64_t hour, std::int64_t minute) {
    return weekdayAt(date, Calendar::current().firstWeekday() + 6, hour, minute, minute);
}
Date lastDayOfWeek(Date date) {
    return lastDayOfWeek(date, 0, 0);
}
Date endOfWeek(Date date) {
    return weekdayAt(date, Calendar::current().firstWeekday() + 6, 23, 59, 59);
}

Date firstDayOfMonth(Date date) {
    const Calendar calendar = Calendar::current();
    DateComponents fields = calendar.dateComponents({C::era, C::year, C::month}, date);
    fields.day = 1;
    return built(calendar, fields, date);
}

Date lastDayOfMonth(Date date) {
    const Calendar calendar = Calendar::current();
    DateComponents fields = calendar.dateComponents({C::era, C::year, C::month}, date);
    // Day 0 of the next month is this month's last day.
    fields.month = fields.month.value_or(0) + 1;
    fields.day = 0;
    return built(calendar, fields, date);
}

Date dayOfYear(Date date, std::int64_t month, std::int64_t day, std::int64_t hour, std::int64_t minute) {
    return yearDay(date, month, day, hour, minute, minute);
}
Date startOfYear(Date date) {
    return yearDay(date, 1, 1, 0, 0, 0);
}
Date endOfYear(Date date) {
    return yearDay(date, 12, 31, 23, 59, 59);
}

Date at(Date date, std::int64_t hour, std::int64_t minute, std::int64_t second) {
    return onDay(Calendar::current(), date, hour, minute, second);
}
Date atTime(Date date, std::int64_t hour, std::int64_t minute) {
    return at(date, hour, minute, minute);
}
Date startOfDay(Date date) {
    return Calendar::current().startOfDay(date).value_or(date);
}
Date endOfDay(Date date) {
    return at(date, 23, 59, 59);
}

std::int64_t numberOfDaysInMonth(Date date) {
    return found::daysInMonth(date);
}

std::int64_t secondsFrom(Date date, Date other) {
    return wholeUnits(date, other, 1.0);
}
std::int64_t secondsTo(Date date, Date other) {
    return wholeUnits(other, date, 1.0);
}
std::int64_t minutesFrom(Date date, Date other) {
    return wholeUnits(date, other, 60.0);
}
std::int64_t minutesTo(Date date, Date other) {
    return wholeUnits(other, date, 60.0);
}
std::int64_t hoursFrom(Date date, Date other) {
    return wholeUnits(date, other, 3600.0);
}
std::int64_t hoursTo(Date date, Date other) {
    return wholeUnits(other, date, 3600.0);
}
std::int64_t daysFrom(Date date, Date other) {
    return wholeUnits(date, other, 86400.0);
}
std::int64_t daysTo(Date date, Date other) {
    return wholeUnits(other, date, 86400.0);
}

std::vector<CalendarCell> monthCells(Date date) {
    const Date first = startOfMonth(date);
    const std::int64_t days = day(endOfMonth(date));
    std::vector<CalendarCell> cells{{first}};
    for (std::int64_t i = 1; i < days; ++i) cells.push_back({addingDays(first, i)});
    return cells;
}

}  // namespace dates
