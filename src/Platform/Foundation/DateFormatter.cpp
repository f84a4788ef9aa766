#include "Platform/Foundation/DateFormatter.h"

#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/dtptngen.h>
#include <unicode/smpdtfmt.h>

#include <memory>

#include "Platform/Foundation/IcuDates.h"

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
    for (int32_t i = UCAL_SUNDAY; i < count; ++i) out.push_back(icudates::utf8(names[i]));
    return out;
}

}  // namespace

DateFormatter::DateFormatter() : locale_(icu::Locale::getDefault().getName()) {}

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
    if (U_SUCCESS(status)) setDateFormat(icudates::utf8(best));
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
                                            DateStyle timeStyle, bool relative,
                                            const std::optional<TimeZone>& zone) {
    const icu::Locale loc(locale.c_str());
    std::unique_ptr<icu::DateFormat> format;
    if (usesPattern) {
        UErrorCode status = U_ZERO_ERROR;
        format = std::make_unique<icu::SimpleDateFormat>(icu::UnicodeString::fromUTF8(pattern), loc, status);
        if (U_FAILURE(status)) return nullptr;
    } else {
        int style = icuStyle(dateStyle);
        if (relative && dateStyle != DateStyle::None) style |= icu::DateFormat::kRelative;
        format.reset(icu::DateFormat::createDateTimeInstance(static_cast<icu::DateFormat::EStyle>(style),
                                                             icuStyle(timeStyle), loc));
        if (!format) return nullptr;
        if (relative) {
            UErrorCode status = U_ZERO_ERROR;
            format->setContext(UDISPCTX_CAPITALIZATION_FOR_BEGINNING_OF_SENTENCE, status);
        }
    }
    format->adoptTimeZone(icudates::zone(zone.value_or(TimeZone::defaultZone())).release());
    return format;
}

}  // namespace

std::string DateFormatter::string(Date date) const {
    if (!usesPattern_ && dateStyle_ == DateStyle::None && timeStyle_ == DateStyle::None) return {};
    const auto format = makeFormat(locale_, usesPattern_, pattern_, dateStyle_, timeStyle_, relative_, zone_);
    if (!format) return {};
    icu::UnicodeString text;
    format->format(static_cast<UDate>(date.secondsSince1970 * 1000.0), text);
    return icudates::utf8(text);
}

std::optional<Date> DateFormatter::date(const std::string& text) const {
    if (!usesPattern_ && dateStyle_ == DateStyle::None && timeStyle_ == DateStyle::None) return std::nullopt;
    const auto format = makeFormat(locale_, usesPattern_, pattern_, dateStyle_, timeStyle_, relative_, zone_);
    if (!format) return std::nullopt;
    format->setLenient(false);
    const icu::UnicodeString source = icu::UnicodeString::fromUTF8(text);
    icu::ParsePosition pos(0);
    const UDate millis = format->parse(source, pos);
    if (pos.getErrorIndex() >= 0 || pos.getIndex() != source.length()) return std::nullopt;
    return icudates::fromMillis(millis);
}

std::vector<std::string> DateFormatter::weekdaySymbols() const {
    return weekdays(locale_, icu::DateFormatSymbols::WIDE);
}

std::vector<std::string> DateFormatter::shortWeekdaySymbols() const {
    return weekdays(locale_, icu::DateFormatSymbols::ABBREVIATED);
}

}  // namespace foundation
