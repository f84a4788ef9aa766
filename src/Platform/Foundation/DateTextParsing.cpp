#include "Platform/Foundation/DateTextParsing.h"

#include <unicode/gregocal.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace foundation {
namespace {
icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}
}  // namespace

std::optional<Date> parseDate(std::string_view text, std::string_view pattern,
                              const std::string& timeZoneId) {
    if (text.empty() || pattern.empty()) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale posix("en_US_POSIX");
    icu::SimpleDateFormat format(unicode(pattern), posix, status);
    if (U_FAILURE(status)) return std::nullopt;
    std::unique_ptr<icu::TimeZone> zone(timeZoneId.empty()
                                            ? icu::TimeZone::createDefault()
                                            : icu::TimeZone::createTimeZone(unicode(timeZoneId)));
    auto calendar = std::make_unique<icu::GregorianCalendar>(zone.release(), posix, status);
    if (U_FAILURE(status)) return std::nullopt;
    format.adoptCalendar(calendar.release());
    format.setLenient(false);
    const icu::UnicodeString input = unicode(text);
    icu::ParsePosition position(0);
    const UDate millis = format.parse(input, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
    return Date::fromSecondsSince1970(millis / 1000.0);
}

}  // namespace foundation
