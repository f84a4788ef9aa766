#include "Libraries/Date/Components.h"

#include <cmath>

namespace dates {

namespace {

// The unit whose range bounds a field that the common setter changes.
std::optional<Component> enclosing(Component c) {
    switch (c) {
        case Component::month:
            return Component::year;
        case Component::day:
            return Component::month;
        case Component::hour:
            return Component::day;
        case Component::minute:
            return Component::hour;
        case Component::second:
            return Component::minute;
        case Component::nanosecond:
            return Component::second;
        default:
            return std::nullopt;
    }
}

std::optional<Date> withYear(Date date, std::int64_t value) {
    if (value < 1) return std::nullopt;
    const Calendar calendar = libraryCalendar();
    return calendar.dateByAdding(Component::year, value - calendar.component(Component::year, date), date);
}

// Moves `date` by the difference to `value` when the value lies within the field's range.
std::optional<Date> withinRange(Date date, Component c, Component outer, std::int64_t value) {
    const Calendar calendar = libraryCalendar();
    const auto range = calendar.range(c, outer, date);
    if (!range || value < range->lower || value >= range->upper) return std::nullopt;
    return calendar.dateByAdding(c, value - calendar.component(c, date), date);
}

std::optional<Date> withMillisecond(Date date, std::int64_t value) {
    if (value < 0 || value > 999 || !std::isfinite(date.secondsSince1970)) return std::nullopt;
    return Date{std::floor(date.secondsSince1970) + static_cast<double>(value) / 1000.0};
}

void assign(Date& date, const std::optional<Date>& result) {
    if (result) date = *result;
}

}  // namespace

Calendar libraryCalendar() {
    if (auto calendar = Calendar::withIdentifier(Calendar::current().identifier())) return *calendar;
    return *Calendar::withIdentifier("gregorian");
}

std::int64_t component(Date date, Component c) {
    return libraryCalendar().component(c, date);
}

std::int64_t era(Date date) {
    return component(date, Component::era);
}
std::int64_t year(Date date) {
    return component(date, Component::year);
}
std::int64_t month(Date date) {
    return component(date, Component::month);
}
std::int64_t weekOfYear(Date date) {
    return component(date, Component::weekOfYear);
}
std::int64_t weekOfMonth(Date date) {
    return component(date, Component::weekOfMonth);
}
std::int64_t weekday(Date date) {
    return component(date, Component::weekday);
}
std::int64_t day(Date date) {
    return component(date, Component::day);
}
std::int64_t hour(Date date) {
    return component(date, Component::hour);
}
std::int64_t minute(Date date) {
    return component(date, Component::minute);
}
std::int64_t second(Date date) {
    return component(date, Component::second);
}
std::int64_t nanosecond(Date date) {
    return component(date, Component::nanosecond);
}

std::int64_t quarter(Date date) {
    const auto months = static_cast<double>(component(date, Component::month));
    const double perQuarter = libraryCalendar().monthSymbolCount() * 0.25;
    return static_cast<std::int64_t>(std::ceil(months / perQuarter));
}

std::int64_t millisecond(Date date) {
    const double micros = std::round(static_cast<double>(nanosecond(date)) / 1000.0);
    return std::min<std::int64_t>(static_cast<std::int64_t>(micros) / 1000, 999);
}

void setYear(Date& date, std::int64_t value) {
    assign(date, withYear(date, value));
}
void setMonth(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::month, value));
}
void setDay(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::day, value));
}
void setHour(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::hour, value));
}
void setMinute(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::minute, value));
}
void setSecond(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::second, value));
}
void setNanosecond(Date& date, std::int64_t value) {
    assign(date, changing(date, Component::nanosecond, value));
}
void setMillisecond(Date& date, std::int64_t value) {
    assign(date, withMillisecond(date, value));
}

std::optional<Date> changing(Date date, Component c, std::int64_t value) {
    if (c == Component::year) return withYear(date, value);
    if (const auto outer = enclosing(c)) return withinRange(date, c, *outer, value);
    return libraryCalendar().dateBySetting(c, value, date);
}

std::optional<Date> fromComponents(const std::optional<Calendar>& calendar,
                                   const std::optional<foundation::TimeZone>& timeZone,
                                   std::optional<std::int64_t> era, std::optional<std::int64_t> year,
                                   std::optional<std::int64_t> month, std::optional<std::int64_t> day,
                                   std::optional<std::int64_t> hour, std::optional<std::int64_t> minute,
                                   std::optional<std::int64_t> second,
                                   std::optional<std::int64_t> nanosecond) {
    if (!calendar) return std::nullopt;
    foundation::DateComponents fields;
    fields.timeZone = timeZone;
    fields.era = era;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    fields.nanosecond = nanosecond;
    return calendar->date(fields);
}

}  // namespace dates
