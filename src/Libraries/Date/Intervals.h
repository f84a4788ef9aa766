#pragma once
// The parts of a time interval in seconds (milliseconds, minutes, hours, days, weeks, 30-day
// months) and a compact duration text ("5h 1m 1s", "12s 500ms", "2days"). Parts are truncated
// toward zero and keep the interval's sign; an interval that is not a number counts as 0 and one
// beyond the 64-bit range is limited to it. Pure; any thread.

#include <cstdint>
#include <string>

namespace interval {

// The fraction of a second in milliseconds, rounded to one decimal: 1.23456 gives 234.6.
double milliseconds(double x);
// The whole milliseconds of the fraction, truncated like every other part: 1.23456 gives 234, and
// 1.001, stored just below that value, gives 0.
std::int64_t wholeMilliseconds(double x);
std::int64_t secondsPart(double x);  // 0...59
std::int64_t totalMinutes(double x);
std::int64_t minutesPart(double x);  // 0...59
double minutesValue(double x);
std::int64_t totalHours(double x);
std::int64_t totalDays(double x);
std::int64_t totalWeeks(double x);
std::int64_t totalMonths(double x);  // months of 30 days

// "1month", "3months", "1day", "2days", "5h 1m 1s", "1m 15s", "12s 500ms", "12s", "0s".
std::string durationText(double x);

}  // namespace interval
