#include "Libraries/Date/Periods.h"

#include <cmath>

namespace dates {

namespace {

// Minutes rounded to a multiple of `n`, up when the remainder is above `threshold`.
Date nearestMinutes(Date date, std::int64_t n, std::int64_t threshold) {
    const auto fields = libraryCalendar().dateComponents({Component::minute, Component::second}, date);
    if (!fields.minute || !fields.second) return date;
    const std::int64_t m = *fields.minute, r = m % n;
    const std::int64_t rounded = r > threshold ? m - r + n : m - r;
    const double startOfMinute = std::floor(date.secondsSince1970) - static_cast<double>(*fields.second);
    return Date{startOfMinute + static_cast<double>((rounded - m) * 60)};
}

}  // namespace

Date nearestFiveMinutes(Date date) {
    return nearestMinutes(date, 5, 2);
}
Date nearestTenMinutes(Date date) {
    return nearestMinutes(date, 10, 5);
}
Date nearestQuarterHour(Date date) {
    return nearestMinutes(date, 15, 7);
}
Date nearestHalfHour(Date date) {
    return nearestMinutes(date, 30, 14);
}
Date nearestHour(Date date) {
    return nearestMinutes(date, 60, 29);
}

Date yesterday(Date date) {
    return adding(date, Component::day, -1);
}

Date tomorrow(Date date) {
    return adding(date, Component::day, 1);
}

Date adding(Date date, Component c, std::int64_t value) {
    return libraryCalendar().dateByAdding(c, value, date).value_or(date);
}

void add(Date& date, Component c, std::int64_t value) {
    date = adding(date, c, value);
}

foundation::ComponentSet periodComponents(Component c) {
    using C = Component;
    switch (c) {
        case C::year:
            return {C::year};
        case C::month:
            return {C::year, C::month};
        case C::hour:
            return {C::year, C::month, C::day, C::hour};
        case C::minute:
            return {C::year, C::month, C::day, C::hour, C::minute};
        case C::second:
            return {C::year, C::month, C::day, C::hour, C::minute, C::second};
        case C::weekOfMonth:
        case C::weekOfYear:
            return {C::yearForWeekOfYear, C::weekOfYear};
        default:
            return {};
    }
}

std::optional<Date> startOf(Date date, Component c) {
    if (c != Component::day && periodComponents(c).empty()) return std::nullopt;
    return libraryCalendar().startOf(c, date);
}

std::optional<Date> endOf(Date date, Component c) {
    if (c != Component::day && periodComponents(c).empty()) return std::nullopt;
    const Calendar calendar = libraryCalendar();
    // Weeks are found from the date's own week; the other periods from the date one unit later,
    // which keeps 31 January's month January although a month later is 28 February.
    std::optional<Date> next;
    if (c == Component::weekOfYear || c == Component::weekOfMonth) {
        if (const auto start = calendar.startOf(c, date))
            next = calendar.dateByAdding(Component::day, 7, *start);
    } else if (const auto later = calendar.dateByAdding(c, 1, date)) {
        next = calendar.startOf(c, *later);
    }
    if (!next) return std::nullopt;
    return calendar.dateByAdding(Component::second, -1, *next);
}

}  // namespace dates
