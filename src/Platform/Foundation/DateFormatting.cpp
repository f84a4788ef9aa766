#include "Platform/Foundation/DateFormatting.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/measfmt.h>
#include <unicode/measunit.h>
#include <unicode/measure.h>
#include <unicode/unistr.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace foundation {

namespace {

icu::DateFormat::EStyle icuStyle(DateStyle s) {
    switch (s) {
        case DateStyle::None: return icu::DateFormat::kNone;
        case DateStyle::Short: return icu::DateFormat::kShort;
        case DateStyle::Medium: return icu::DateFormat::kMedium;
        case DateStyle::Long: return icu::DateFormat::kLong;
        case DateStyle::Full: return icu::DateFormat::kFull;
    }
    return icu::DateFormat::kNone;
}

std::string utf8(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

}  // namespace

std::string currentLocale() {
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* v = std::getenv(var);
        if (!v || !*v) continue;
        std::string id(v);
        if (const auto dot = id.find_first_of(".@"); dot != std::string::npos) id.resize(dot);
        if (id == "C" || id == "POSIX") return "en_US_POSIX";
        return id;
    }
    return "en_US_POSIX";
}

std::string formatDate(Date date, DateStyle dateStyle, DateStyle timeStyle, const std::string& locale) {
    std::unique_ptr<icu::DateFormat> fmt(
        icu::DateFormat::createDateTimeInstance(icuStyle(dateStyle), icuStyle(timeStyle), icu::Locale(locale.c_str())));
    if (!fmt) return {};
    icu::UnicodeString out;
    fmt->format(static_cast<UDate>(date.secondsSince1970 * 1000.0), out);
    return utf8(out);
}

std::string formatDurationShort(double seconds, const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::MeasureFormat fmt(icu::Locale(locale.c_str()), UMEASFMT_WIDTH_SHORT, status);
    if (U_FAILURE(status)) return {};
    const double rounded = std::isfinite(seconds) ? std::max(0.0, std::round(seconds)) : 0.0;
    const auto total = static_cast<long long>(std::min(rounded, 9.0e15));
    const long long h = total / 3600, m = (total % 3600) / 60, s = total % 60;

    std::vector<icu::Measure> parts;
    const auto add = [&](long long value, icu::MeasureUnit* unit) {
        parts.emplace_back(icu::Formattable(static_cast<int64_t>(value)), unit, status);
    };
    if (h > 0) add(h, icu::MeasureUnit::createHour(status));
    if (m > 0) add(m, icu::MeasureUnit::createMinute(status));
    if (s > 0 || parts.empty()) add(s, icu::MeasureUnit::createSecond(status));
    if (U_FAILURE(status)) return {};

    icu::UnicodeString out;
    icu::FieldPosition pos;
    fmt.formatMeasures(parts.data(), static_cast<int32_t>(parts.size()), out, pos, status);
    return U_FAILURE(status) ? std::string() : utf8(out);
}

}  // namespace foundation
