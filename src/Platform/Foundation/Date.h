#pragma once
// A point in time as seconds since 1970-01-01 UTC (fractional), the value type behind every date
// the system stores. Plain value: safe to copy across threads.

#include <compare>

namespace foundation {

struct Date {
    double secondsSince1970 = 0.0;

    static Date now();
    static Date fromSecondsSince1970(double s) { return Date{s}; }

    double timeIntervalSince(Date other) const { return secondsSince1970 - other.secondsSince1970; }
    Date addingTimeInterval(double seconds) const { return Date{secondsSince1970 + seconds}; }

    auto operator<=>(const Date&) const = default;
};

}  // namespace foundation
