#include "Platform/Foundation/LocaleServices.h"

#include "Platform/Foundation/IcuText.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/dtfmtsym.h>
#include <unicode/measunit.h>
#include <unicode/numberformatter.h>
#include <unicode/smpdtfmt.h>
#include <unicode/uloc.h>
#include <unicode/unistr.h>

#include <memory>

namespace foundation {

const std::vector<std::string>& isoRegionCodes() {
    // Read by workers to the very end of the process: never destroyed.
    static const auto* const codes = new std::vector<std::string>([] {
        std::vector<std::string> out;
        for (const char* const* c = icu::Locale::getISOCountries(); *c != nullptr; ++c) out.emplace_back(*c);
        return out;
    }());
    return *codes;
}

bool is12HourClock(const std::string& locale) {
    const icu::Locale l = icutext::locale(locale);
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, l));
    if (!format) return false;
    icu::UnicodeString text;
    format->format(icu::Calendar::getNow(), text);
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(l, status);
    if (U_FAILURE(status)) return false;
    int32_t count = 0;
    const icu::UnicodeString* markers = symbols.getAmPmStrings(count);
    for (int32_t i = 0; i < count && i < 2; ++i) {
        if (!markers[i].isEmpty() && text.indexOf(markers[i]) >= 0) return true;
    }
    return false;
}

std::string zeroCelsiusText(const std::string& locale) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text = NumberFormatter::withLocale(icutext::locale(locale))
                                        .unit(icu::MeasureUnit::getCelsius())
                                        .usage("weather")
                                        .unitWidth(UNUM_UNIT_WIDTH_SHORT)
                                        .formatDouble(0, status)
                                        .toString(status);
    if (U_FAILURE(status)) return "0°C";
    return icutext::utf8(text);
}

}  // namespace foundation
