#include "Libraries/Date/Formatting.h"

#include "Platform/Foundation/Calendar.h"

namespace dates {

namespace {

foundation::DateFormatter styled(DateStyle dateStyle, DateStyle timeStyle) {
    foundation::DateFormatter formatter;
    formatter.setTimeStyle(timeStyle);
    formatter.setDateStyle(dateStyle);
    return formatter;
}

std::string fromTemplate(Date date, const char* skeleton) {
    foundation::DateFormatter formatter;
    formatter.setLocalizedDateFormatFromTemplate(skeleton);
    return formatter.string(date);
}

const char* skeleton(int style, const char* threeLetters, const char* oneLetter, const char* full) {
    return style == 0 ? threeLetters : style == 1 ? oneLetter : full;
}

}  // namespace

std::string string(Date date, DateStyle dateAndTimeStyle) {
    return styled(dateAndTimeStyle, dateAndTimeStyle).string(date);
}

std::string stringWithDateStyle(Date date, DateStyle dateStyle) {
    return styled(dateStyle, DateStyle::None).string(date);
}

std::string stringWithTimeStyle(Date date, DateStyle timeStyle) {
    return styled(DateStyle::None, timeStyle).string(date);
}

std::string stringWithFormat(Date date, const std::string& format) {
    foundation::DateFormatter formatter;
    formatter.setDateFormat(format);
    return formatter.string(date);
}

std::string dayName(Date date, DayNameStyle style) {
    return fromTemplate(date, skeleton(static_cast<int>(style), "EEE", "EEEEE", "EEEE"));
}

std::string monthName(Date date, MonthNameStyle style) {
    return fromTemplate(date, skeleton(static_cast<int>(style), "MMM", "MMMMM", "MMMM"));
}

std::string iso8601String(Date date) {
    const auto gmt = foundation::TimeZone::fromAbbreviation("GMT").value_or(foundation::TimeZone::gmt());
    return foundation::DateFormatter::fixedFormat("yyyy-MM-dd'T'HH:mm:ss.SSS", gmt).string(date) + "Z";
}

std::optional<Date> fromIso8601String(const std::string& text) {
    return foundation::DateFormatter::fixedFormat("yyyy-MM-dd'T'HH:mm:ss.SSSZ",
                                                  foundation::TimeZone::defaultZone())
        .date(text);
}

std::optional<Date> fromYyyyMMdd(std::int64_t yyyyMMdd) {
    foundation::DateFormatter formatter;
    formatter.setDateFormat("yyyyMMdd");
    const auto parsed = formatter.date(std::to_string(yyyyMMdd));
    if (!parsed) return std::nullopt;
    return foundation::Calendar::current().startOfDay(*parsed);
}

}  // namespace dates
