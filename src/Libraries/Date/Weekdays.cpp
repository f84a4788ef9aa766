#include "Libraries/Date/Weekdays.h"

#include <vector>

#include "Libraries/Date/Builders.h"
#include "Platform/Foundation/DateFormatter.h"

namespace dates {

namespace {

std::string nameAt(const std::vector<std::string>& names, std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(names.size())) return {};
    return names[static_cast<std::size_t>(index)];
}

}  // namespace

std::optional<Week> weekFromRawValue(std::int64_t rawValue) {
    if (rawValue < 0 || rawValue > 6) return std::nullopt;
    return static_cast<Week>(rawValue);
}

std::int64_t weekdayIndex(Date date) {
    return Calendar::current().component(Component::weekday, date) - 1;
}

bool isSunday(Date date) {
    return weekdayIndex(date) == 0;
}
bool isMonday(Date date) {
    return weekdayIndex(date) == 1;
}
bool isTuesday(Date date) {
    return weekdayIndex(date) == 2;
}
bool isWednesday(Date date) {
    return weekdayIndex(date) == 3;
}
bool isThursday(Date date) {
    return weekdayIndex(date) == 4;
}
bool isFriday(Date date) {
    return weekdayIndex(date) == 5;
}
bool isSaturday(Date date) {
    return weekdayIndex(date) == 6;
}

std::string weekdayName(Date date) {
    return nameAt(foundation::DateFormatter().weekdaySymbols(), weekdayIndex(date));
}

std::string shortWeekdayName(Date date) {
    return shortWeekdayName(weekdayIndex(date));
}

std::string shortWeekdayName(std::int64_t index) {
    return nameAt(foundation::DateFormatter().shortWeekdaySymbols(), index);
}

bool isBeforeToday(Date date, Date now) {
    return date < startOfDay(now);
}

bool isSameDay(Date date, Date other) {
    const Calendar calendar = Calendar::current();
    const foundation::ComponentSet day{Component::era, Component::year, Component::month, Component::day};
    return calendar.dateComponents(day, date) == calendar.dateComponents(day, other);
}

}  // namespace dates
