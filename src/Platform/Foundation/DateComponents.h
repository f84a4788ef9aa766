#pragma once
// The calendar fields of a date (era, year, month, ..., nanosecond), each present or absent, and
// the names of those fields. Plain values: safe to copy across threads.

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/Foundation/TimeZone.h"

namespace foundation {

enum class CalendarComponent {
    era,
    year,
    yearForWeekOfYear,
    quarter,
    month,
    weekOfYear,
    weekOfMonth,
    weekday,
    weekdayOrdinal,
    day,
    hour,
    minute,
    second,
    nanosecond,
};

using ComponentSet = std::vector<CalendarComponent>;

struct DateComponents {
    // The zone the fields are read in; absent: the calendar's own zone.
    std::optional<TimeZone> timeZone;
    std::optional<std::int64_t> era, year, yearForWeekOfYear, quarter, month, weekOfYear, weekOfMonth,
        weekday, weekdayOrdinal, day, hour, minute, second, nanosecond;

    std::optional<std::int64_t> value(CalendarComponent c) const;
    void setValue(CalendarComponent c, std::optional<std::int64_t> v);

    bool operator==(const DateComponents&) const = default;

  private:
    std::optional<std::int64_t>& field(CalendarComponent c);
};

}  // namespace foundation
