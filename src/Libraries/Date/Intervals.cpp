#include "Libraries/Date/Intervals.h"

#include <cmath>

#include "Platform/Foundation/WholeCount.h"

namespace interval {

using foundation::wholeCount;

namespace {

constexpr double kMonth = 2.592e6;

std::string counted(std::int64_t n, const char* one, const char* many) {
    return std::to_string(n) + (n == 1 ? one : many);
}

}  // namespace

double milliseconds(double x) {
    return std::round(std::fmod(x, 1) * 1000 * 10) / 10;
}

std::int64_t wholeMilliseconds(double x) {
    return wholeCount(std::fmod(x, 1) * 1000);
}

std::int64_t secondsPart(double x) {
    return wholeCount(std::fmod(x, 60));
}

std::int64_t totalMinutes(double x) {
    return wholeCount(x / 60);
}

std::int64_t minutesPart(double x) {
    return wholeCount(std::fmod(x / 60, 60));
}

double minutesValue(double x) {
    return x / 60;
}

std::int64_t totalHours(double x) {
    return wholeCount(x / 3600);
}

std::int64_t totalDays(double x) {
    return wholeCount(x / 86400);
}

std::int64_t totalWeeks(double x) {
    return wholeCount(x / 604800);
}

std::int64_t totalMonths(double x) {
    return wholeCount(x / kMonth);
}

std::string durationText(double x) {
    const auto s = std::to_string(secondsPart(x)) + "s";
    const auto m = std::to_string(minutesPart(x)) + "m ";
    if (const std::int64_t months = totalMonths(x)) return counted(months, "month", "months");
    if (const std::int64_t days = totalDays(x)) return counted(days, "day", "days");
    if (const std::int64_t hours = totalHours(x)) return std::to_string(hours) + "h " + m + s;
    if (minutesPart(x) != 0) return m + s;
    if (const std::int64_t ms = wholeMilliseconds(x)) return s + " " + std::to_string(ms) + "ms";
    return s;
}

}  // namespace interval
