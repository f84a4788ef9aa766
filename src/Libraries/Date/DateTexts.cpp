#include "Libraries/Date/DateTexts.h"

#include <cmath>
#include <cstdint>

#include "Platform/Foundation/WholeCount.h"

namespace dates {

namespace {

foundation::DateFormatter withPattern(const std::string& format, std::optional<foundation::TimeZone> zone) {
    foundation::DateFormatter formatter;
    formatter.setDateFormat(format);
    formatter.setTimeZone(std::move(zone));
    return formatter;
}

std::string relativeMediumDate(Date date, Date now, bool showsTime) {
    foundation::DateFormatter formatter;
    formatter.setNow(now);
    formatter.setTimeStyle(showsTime ? foundation::DateStyle::Short : foundation::DateStyle::None);
    formatter.setDateStyle(foundation::DateStyle::Medium);
    formatter.setDoesRelativeDateFormatting(true);
    return formatter.string(date);
}

// A relative text's key: "1 min" for one unit, "%.f min" with the count for more.
struct Key {
    std::string text;
    std::optional<double> count;
};

Key keyFor(double count, const char* unit, const char* units) {
    if (count == 1) return {std::string("1 ") + unit, std::nullopt};
    return {std::string("%.f ") + units, count};
}

std::string filled(std::string text, const std::optional<double>& count) {
    if (!count) return text;
    const auto at = text.find("%.f");
    if (at != std::string::npos) text.replace(at, 3, std::to_string(foundation::wholeCount(*count)));
    return text;
}

enum class Form { Short, Since };

std::string relative(Date date, Date now, Form form, bool showsTime, const foundation::StringTable& strings) {
    const double t = now.timeIntervalSince(date);
    const double d = std::fabs(t);
    if (d < 60) return strings.localizedString("just now");
    // Each larger unit counts the rounded smaller one, as a person reading the minutes would.
    const double minutes = std::round(d / 60);
    const double hours = std::round(minutes / 60);
    const double days = std::round(hours / 24);
    Key key;
    if (minutes < 60) {
        key = keyFor(minutes, "min", "min");
    } else if (hours < 24) {
        key = keyFor(hours, "hr", "hr");
    } else if (form == Form::Short) {
        return relativeMediumDate(date, now, showsTime);
    } else if (days < 10000) {
        key = keyFor(days, "day", "days");
    } else {
        return relativeMediumDate(date, now, false);
    }
    const bool past = t > 0;
    const std::string wrapped = form == Form::Short ? (past ? key.text + " ago" : "in " + key.text)
                                                    : (past ? "Since " + key.text : "in " + key.text);
    return filled(strings.localizedString(wrapped), key.count);
}

}  // namespace

std::optional<Date> fromFormat(const std::string& format, const std::string& text) {
    return withPattern(format, std::nullopt).date(text);
}

std::string fullString(Date date, const std::string& timeZoneAbbreviation) {
    foundation::DateFormatter formatter;
    formatter.setDateStyle(foundation::DateStyle::Full);
    formatter.setTimeStyle(foundation::DateStyle::Full);
    formatter.setTimeZone(foundation::TimeZone::fromAbbreviation(timeZoneAbbreviation));
    return formatter.string(date);
}

std::string string(Date date, const std::string& format, const std::string& timeZoneAbbreviation) {
    return withPattern(format, foundation::TimeZone::fromAbbreviation(timeZoneAbbreviation)).string(date);
}

std::string string(Date date, const std::string& format, foundation::DateFormatter& formatter) {
    formatter.setDateFormat(format);
    return formatter.string(date);
}

std::string localString(Date date, const std::string& format) {
    return withPattern(format, foundation::TimeZone::defaultZone()).string(date);
}

std::string formatted(Date date, const std::string& format) {
    return withPattern(format, std::nullopt).string(date);
}

std::string stringFrom(Date date, const std::string& format) {
    return formatted(date, format);
}

std::string elapsedText(Date date, Date now) {
    const std::int64_t s = foundation::wholeCount(now.timeIntervalSince(date));
    struct Band {
        std::int64_t below, unit;
        const char* text;
    };
    static constexpr Band kBands[] = {{60, 1, " seconds ago"},
                                      {3600, 60, " minutes ago"},
                                      {86400, 3600, " hours ago"},
                                      {604800, 86400, " days ago"}};
    for (const Band& band : kBands) {
        if (s < band.below) return std::to_string(s / band.unit) + band.text;
    }
    return std::to_string(s / 604800) + " weeks ago";
}

std::string timeAgoShort(Date date, bool showsTime, Date now, const foundation::StringTable& strings) {
    return relative(date, now, Form::Short, showsTime, strings);
}

std::string timeAgo(Date date, Date now, const foundation::StringTable& strings) {
    return relative(date, now, Form::Since, false, strings);
}

}  // namespace dates
