#include "Platform/Foundation/DateComponents.h"

namespace foundation {

std::optional<std::int64_t>& DateComponents::field(CalendarComponent c) {
    switch (c) {
        case CalendarComponent::era:
            return era;
        case CalendarComponent::year:
            return year;
        case CalendarComponent::yearForWeekOfYear:
            return yearForWeekOfYear;
        case CalendarComponent::quarter:
            return quarter;
        case CalendarComponent::month:
            return month;
        case CalendarComponent::weekOfYear:
            return weekOfYear;
        case CalendarComponent::weekOfMonth:
            return weekOfMonth;
        case CalendarComponent::weekday:
            return weekday;
        case CalendarComponent::weekdayOrdinal:
            return weekdayOrdinal;
        case CalendarComponent::day:
            return day;
        case CalendarComponent::hour:
            return hour;
        case CalendarComponent::minute:
            return minute;
        case CalendarComponent::second:
            return second;
        case CalendarComponent::nanosecond:
            return nanosecond;
    }
    return nanosecond;
}

std::optional<std::int64_t> DateComponents::value(CalendarComponent c) const {
    return const_cast<DateComponents*>(this)->field(c);
}

void DateComponents::setValue(CalendarComponent c, std::optional<std::int64_t> v) {
    field(c) = v;
}

}  // namespace foundation
