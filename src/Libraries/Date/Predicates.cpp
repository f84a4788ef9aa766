#include "Libraries/Date/Predicates.h"

#include <compare>
#include <limits>

#include "Extensions/NumberBasics.h"

namespace dates {

bool isInPast(Date date, Date now) {
    return date < now;
}
bool isInFuture(Date date, Date now) {
    return date > now;
}
bool isToday(Date date, Date now) {
    return libraryCalendar().isDateInToday(date, now);
}
bool isYesterday(Date date, Date now) {
    return libraryCalendar().isDateInYesterday(date, now);
}
bool isTomorrow(Date date, Date now) {
    return libraryCalendar().isDateInTomorrow(date, now);
}
bool isWeekend(Date date) {
    return libraryCalendar().isDateInWeekend(date);
}
bool isWeekday(Date date) {
    return !isWeekend(date);
}
bool isInCurrent(Date date, Component c, Date now) {
    return libraryCalendar().isDate(date, now, c);
}
bool isInCurrentWeek(Date date, Date now) {
    return isInCurrent(date, Component::weekOfYear, now);
}
bool isInCurrentMonth(Date date, Date now) {
    return isInCurrent(date, Component::month, now);
}
bool isInCurrentYear(Date date, Date now) {
    return isInCurrent(date, Component::year, now);
}

double secondsSince1970(Date date) {
    return date.secondsSince1970;
}
Date fromSecondsSince1970(double seconds) {
    return Date::fromSecondsSince1970(seconds);
}
double secondsSince(Date date, Date other) {
    return date.timeIntervalSince(other);
}
double minutesSince(Date date, Date other) {
    return secondsSince(date, other) / 60.0;
}
double hoursSince(Date date, Date other) {
    return secondsSince(date, other) / 3600.0;
}
double daysSince(Date date, Date other) {
    return secondsSince(date, other) / 86400.0;
}

bool isBetween(Date date, Date a, Date b, bool inclusive) {
    if ((date <=> a) == std::partial_ordering::unordered ||
        (b <=> date) == std::partial_ordering::unordered) {
        return false;
    }
    const auto sign = [](std::partial_ordering o) { return o < 0 ? -1 : o > 0 ? 1 : 0; };
    const int product = sign(date <=> a) * sign(b <=> date);
    return inclusive ? product >= 0 : product > 0;
}

bool isWithinDistance(Date date, std::uint64_t n, Component c, Date other) {
    const auto units = libraryCalendar().difference(c, date, other);
    if (!units || *units == std::numeric_limits<std::int64_t>::min()) return false;
    return static_cast<std::uint64_t>(num::abs(*units)) <= n;
}

}  // namespace dates
