#include "Platform/Foundation/DateFormatter.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/reldatefmt.h>
#include <unicode/smpdtfmt.h>

#include <memory>

#include "Platform/Foundation/Calendar.h"
#include "Platform/Foundation/IcuDates.h"
#include "Platform/Foundation/IcuText.h"

namespace foundation {

namespace {

icu::DateFormat::EStyle icuStyle(DateStyle s) {
    switch (s) {
        case DateStyle::None:
            return icu::DateFormat::kNone;
        case DateStyle::Short:
            return icu::DateFormat::kShort;
        case DateStyle::Medium:
            return icu::DateFormat::kMedium;
        case DateStyle::Long:
            return icu::DateFormat::kLong;
        case DateStyle::Full:
            return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

std::vector<std::string> weekdays(const std::string& locale, icu::DateFormatSymbols::DtWidthType width) {
    UErrorCode status = U_ZERO_ERROR;
    icu::DateFormatSymbols symbols(icu::Locale(locale.c_str()), status);
    if (U_FAILURE(status)) return {};
    int32_t count = 0;
    const icu::UnicodeString* names = symbols.getWeekdays(count, icu::DateFormatSymbols::FORMAT, width);
    // ICU counts weekdays from 1 (UCAL_SUNDAY); entry 0 is empty.
    std::vector<std::string> out;
    for (int32_t i = UCAL_SUNDAY; i < count; ++i) out.push_back(icutext::utf8(names[i]));
    return out;
}

}  // namespace

DateFormatter::DateFormatter() : locale_(icu::Locale::getDefault().getName()) {}

DateFormatter DateFormatter::fixedFormat(std::string pattern, std::optional<TimeZone> zone) {
    DateFormatter formatter;
    formatter.setLocale("en_US_POSIX");
    formatter.setTimeZone(std::move(zone));
    formatter.setDateFormat(std::move(pattern));
    return formatter;
}

void DateFormatter::setDateFormat(std::string pattern) {
    pattern_ = std::move(pattern);
    usesPattern_ = true;
}

void DateFormatter::setLocalizedDateFormatFromTemplate(const std::string& skeleton) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(icu::Locale(locale_.c_str()), status));
    if (U_FAILURE(status) || !generator) return;
    const icu::UnicodeString best = generator->getBestPattern(icu::UnicodeString::fromUTF8(skeleton), status);
    if (U_SUCCESS(status)) setDateFormat(icutext::utf8(best));
}

void DateFormatter::setDateStyle(DateStyle style) {
    dateStyle_ = style;
    usesPattern_ = false;
}

void DateFormatter::setTimeStyle(DateStyle style) {
    timeStyle_ = style;
    usesPattern_ = false;
}

namespace {

std::unique_ptr<icu::DateFormat> makeFormat(const std::string& locale, bool usesPattern,
                                            const std::string& pattern, DateStyle dateStyle,
                                            DateStyle timeStyle, const std::optional<TimeZone>& zone) {
    const icu::Locale loc(locale.c_str());
    std::unique_ptr<icu::DateFormat> format;
    if (usesPattern) {
        UErrorCode status = U_ZERO_ERROR;
        format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(pattern), loc, status);
        if (U_FAILURE(status)) return nullptr;
    } else {
        format.reset(icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle), icuStyle(timeStyle), loc));
        if (!format) return nullptr;
    }
    format->adoptTimeZone(icudates::zone(zone.value_or(TimeZone::defaultZone())).release());
    return format;
}

// The locale's word for a day `offset` days from today ("Yesterday", "Today", "Tomorrow", and
// where the locale has them the days beyond), capitalised to stand first; empty when it has none.
std::string relativeDayWord(const std::string& locale, std::int64_t offset) {
    static constexpr UDateDirection kDirections[] = {UDAT_DIRECTION_LAST_2, UDAT_DIRECTION_LAST,
                                                     UDAT_DIRECTION_THIS, UDAT_DIRECTION_NEXT,
                                                     UDAT_DIRECTION_NEXT_2};
    if (offset < -2 || offset > 2) return {};
    UErrorCode status = U_ZERO_ERROR;
    icu::RelativeDateTimeFormatter words(icu::Locale(locale.c_str()), nullptr, UDAT_STYLE_LONG,
                                         UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, status);
    if (U_FAILURE(status)) return {};
    icu::UnicodeString word;
    words.format(kDirections[offset + 2], UDAT_ABSOLUTE_DAY, word, status);
    return U_FAILURE(status) ? std::string() : icutext::utf8(word);
}

// `text` as a quoted literal of a date pattern.
icu::UnicodeString quoted(const std::string& text) {
    icu::UnicodeString literal = icu::UnicodeString::fromUTF8(text);
    literal.findAndReplace("'", "''");
    return icu::UnicodeString("'") + literal + "'";
}

}  // namespace

std::optional<std::string> DateFormatter::relativeString(Date date) const {
    const TimeZone zone = zone_.value_or(TimeZone::defaultZone());
    Calendar calendar = Calendar::current();
    calendar.setTimeZone(zone);
    const auto today = calendar.startOfDay(now_.value_or(Date::now()));
    const auto day = calendar.startOfDay(date);
    if (!today || !day) return std::nullopt;
    const auto offset = calendar.difference(CalendarComponent::day, *today, *day);
    if (!offset) return std::nullopt;
    const std::string word = relativeDayWord(locale_, *offset);
    if (word.empty()) return std::nullopt;
    if (timeStyle_ == DateStyle::None) return word;
    // The word takes the date's place in the locale's way of joining a date and a time.
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale loc(locale_.c_str());
    std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(loc, status));
    std::unique_ptr<icu::DateFormat> time(icu::DateFormat::createTimeInstance(icuStyle(timeStyle_), loc));
    auto* simpleTime = dynamic_cast<icu::SimpleDateFormat*>(time.get());
    if (U_FAILURE(status) || !generator || !simpleTime) return std::nullopt;
    icu::UnicodeString timePattern;
    simpleTime->toPattern(timePattern);
    icu::UnicodeString pattern = generator->getDateTimeFormat();
    pattern.findAndReplace("{1}", quoted(word));
    pattern.findAndReplace("{0}", timePattern);
    icu::SimpleDateFormat joined(pattern, loc, status);
    if (U_FAILURE(status)) return std::nullopt;
    joined.adoptTimeZone(icudates::zone(zone).release());
    icu::UnicodeString text;
    joined.format(static_cast<UDate>(date.secondsSince1970 * 1000.0), text);
    return icutext::utf8(text);
}

std::string DateFormatter::string(Date date) const {
    if (!usesPattern_ && dateStyle_ == DateStyle::None && timeStyle_ == DateStyle::None) return {};
    if (relative_ && !usesPattern_ && dateStyle_ != DateStyle::None) {
        if (auto text = relativeString(date)) return *text;
    }
    const auto format = makeFormat(locale_, usesPattern_, pattern_, dateStyle_, timeStyle_, zone_);
    if (!format) return {};
    icu::UnicodeString text;
    format->format(static_cast<UDate>(date.secondsSince1970 * 1000.0), text);
    return icutext::utf8(text);
}

std::optional<Date> DateFormatter::date(const std::string& text) const {
    if (!usesPattern_ && dateStyle_ == DateStyle::None && timeStyle_ == DateStyle::None) return std::nullopt;
    const icu::UnicodeString source = icu::UnicodeString::fromUTF8(text);
    // Strict parsing also refuses a wall-clock time that the zone skips (midnight on the day
    // Sao Paulo moved its clocks), though that names a moment as well as any other. So the fields
    // are checked strictly in Greenwich time, which skips nothing, and then read in the real zone.
    const auto parse = [&](const std::optional<TimeZone>& zone,
                           bool calendarLenient) -> std::optional<UDate> {
        const auto format = makeFormat(locale_, usesPattern_, pattern_, dateStyle_, timeStyle_, zone);
        if (!format) return std::nullopt;
        format->setLenient(false);
        format->setCalendarLenient(calendarLenient);
        icu::ParsePosition pos(0);
        const UDate millis = format->parse(source, pos);
        if (pos.getErrorIndex() >= 0 || pos.getIndex() != source.length()) return std::nullopt;
        return millis;
    };
    if (!parse(TimeZone::gmt(), false)) return std::nullopt;
    const auto millis = parse(zone_, true);
    if (!millis) return std::nullopt;
    return icudates::fromMillis(*millis);
}

std::vector<std::string> DateFormatter::weekdaySymbols() const {
    return weekdays(locale_, icu::DateFormatSymbols::WIDE);
}

std::vector<std::string> DateFormatter::shortWeekdaySymbols() const {
    return weekdays(locale_, icu::DateFormatSymbols::ABBREVIATED);
}

}  // namespace foundation
