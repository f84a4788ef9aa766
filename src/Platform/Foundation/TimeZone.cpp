#include "Platform/Foundation/TimeZone.h"

#include <unicode/tzfmt.h>

#include <cmath>

#include "Platform/Foundation/IcuDates.h"
#include "Platform/Foundation/IcuText.h"

namespace foundation {

namespace {

std::unique_ptr<icu::TimeZone> knownZone(const std::string& identifier) {
    std::unique_ptr<icu::TimeZone> tz(
        icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(identifier)));
    if (!tz || *tz == icu::TimeZone::getUnknown()) return nullptr;
    return tz;
}

std::string idOf(const icu::TimeZone& tz) {
    icu::UnicodeString id;
    tz.getID(id);
    return icutext::utf8(id);
}

// The zone whose CLDR short name in `locale` is exactly `abbreviation` ("EST" in en_US).
std::optional<std::string> zoneOfShortName(const char* locale, const icu::UnicodeString& abbreviation) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::TimeZoneFormat> format(
        icu::TimeZoneFormat::createInstance(icu::Locale(locale), status));
    if (U_FAILURE(status) || !format) return std::nullopt;
    icu::ParsePosition pos(0);
    UTimeZoneFormatTimeType type = UTZFMT_TIME_TYPE_UNKNOWN;
    std::unique_ptr<icu::TimeZone> tz(
        format->parse(UTZFMT_STYLE_SPECIFIC_SHORT, abbreviation, pos, UTZFMT_PARSE_OPTION_NONE, &type));
    if (!tz || pos.getIndex() != abbreviation.length() || *tz == icu::TimeZone::getUnknown())
        return std::nullopt;
    return idOf(*tz);
}

}  // namespace

std::optional<TimeZone> TimeZone::named(const std::string& identifier) {
    const auto tz = knownZone(identifier);
    if (!tz) return std::nullopt;
    return TimeZone(identifier);
}

std::optional<TimeZone> TimeZone::fromAbbreviation(const std::string& abbreviation) {
    if (abbreviation.empty()) return std::nullopt;
    const auto text = icu::UnicodeString::fromUTF8(abbreviation);
    // CLDR's short names, in the English regions whose users write them; ICU's own three-letter
    // identifiers come last because several of them differ ("EST" there has no daylight saving,
    // "BST" is Bangladesh).
    for (const char* locale : {"en_US", "en_GB", "en_IN", "en_AU", "en_CA", "en_NZ"}) {
        if (auto id = zoneOfShortName(locale, text)) return TimeZone(*id);
    }
    if (knownZone(abbreviation)) return TimeZone(abbreviation);
    return std::nullopt;
}

TimeZone TimeZone::defaultZone() {
    std::unique_ptr<icu::TimeZone> tz(icu::TimeZone::createDefault());
    return TimeZone(tz ? idOf(*tz) : std::string("GMT"));
}

TimeZone TimeZone::gmt() {
    return TimeZone("GMT");
}

int TimeZone::secondsFromGMT(Date date) const {
    const auto tz = icudates::zone(*this);
    UErrorCode status = U_ZERO_ERROR;
    int32_t raw = 0, dst = 0;
    tz->getOffset(icudates::wholeSecondMillis(date), false, raw, dst, status);
    return U_FAILURE(status) ? 0 : (raw + dst) / 1000;
}

bool setDefaultTimeZone(const std::string& identifier) {
    auto tz = knownZone(identifier);
    if (!tz) return false;
    icu::TimeZone::adoptDefault(tz.release());
    return true;
}

namespace icudates {

std::unique_ptr<icu::TimeZone> zone(const TimeZone& tz) {
    auto zone = knownZone(tz.identifier());
    return zone ? std::move(zone) : std::unique_ptr<icu::TimeZone>(icu::TimeZone::getGMT()->clone());
}

UDate wholeSecondMillis(Date date) {
    return std::floor(date.secondsSince1970) * 1000.0;
}

double secondFraction(Date date) {
    return date.secondsSince1970 - std::floor(date.secondsSince1970);
}

Date fromMillis(UDate millis, double fraction) {
    return Date{millis / 1000.0 + fraction};
}

}  // namespace icudates
}  // namespace foundation
