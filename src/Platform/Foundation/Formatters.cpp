#include "Platform/Foundation/Formatters.h"

#include "Platform/Foundation/IcuText.h"

#include <unicode/measfmt.h>
#include <unicode/measunit.h>
#include <unicode/measure.h>
#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <cmath>
#include <memory>
#include <string_view>
#include <vector>

#include "Platform/Foundation/IcuDates.h"

namespace foundation {

void setDefaultLocale(const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(localeId.c_str()), status);
}

std::string defaultLocale() {
    return icu::Locale::getDefault().getName();
}

std::string formatDecimal(double value, int minFractionDigits, int maxFractionDigits) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text =
        NumberFormatter::withLocale(icu::Locale::getDefault())
            .precision(Precision::minMaxFraction(minFractionDigits, maxFractionDigits))
            .roundingMode(UNUM_ROUND_HALFEVEN)
            .grouping(UNUM_GROUPING_OFF)
            .formatDouble(value, status)
            .toString(status);
    if (U_FAILURE(status)) return std::to_string(value);
    return icutext::utf8(text);
}

std::string formatMediumDateTime(Date date) {
    return formatDateTime(date, DateStyle::Medium, DateStyle::Medium);
}

std::string formatDateTime(Date date, DateStyle dateStyle, DateStyle timeStyle) {
    DateFormatter formatter;
    formatter.setDateStyle(dateStyle);
    formatter.setTimeStyle(timeStyle);
    return formatter.string(date);
}

std::string formatDurationShort(double seconds) {
    UErrorCode status = U_ZERO_ERROR;
    icu::MeasureFormat fmt(icu::Locale::getDefault(), UMEASFMT_WIDTH_SHORT, status);
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
    return U_FAILURE(status) ? std::string() : icutext::utf8(out);
}

namespace {

// `value` of the unit in the default locale's short form ("12 kB", "1,5 Mo", "532 octets").
std::string localUnitText(double value, int maxFractionDigits, const icu::MeasureUnit& unit) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text = NumberFormatter::withLocale(icu::Locale::getDefault())
                                        .unit(unit)
                                        .unitWidth(UNUM_UNIT_WIDTH_SHORT)
                                        .precision(Precision::minMaxFraction(0, maxFractionDigits))
                                        .grouping(UNUM_GROUPING_OFF)
                                        .formatDouble(value, status)
                                        .toString(status);
    return U_FAILURE(status) ? std::string() : icutext::utf8(text);
}

}  // namespace

std::string formatByteCount(std::uint64_t bytes) {
    // English keeps the file browsers' own words ("Zero KB", "1 byte"); other languages take the unit
    // names of their locale.
    const bool english = std::string_view(icu::Locale::getDefault().getLanguage()) == "en";
    if (bytes < 1000) {
        if (english) {
            if (bytes == 0) return "Zero KB";
            return bytes == 1 ? "1 byte" : std::to_string(bytes) + " bytes";
        }
        if (bytes == 0) return localUnitText(0, 0, icu::MeasureUnit::getKilobyte());
        return localUnitText(double(bytes), 0, icu::MeasureUnit::getByte());
    }
    // Kilobytes without fraction digits, megabytes with one, larger units with two. A value that
    // rounds up to 1000 of a unit is shown in the next unit.
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    static const icu::MeasureUnit kLocalUnits[] = {
        icu::MeasureUnit::getKilobyte(), icu::MeasureUnit::getMegabyte(), icu::MeasureUnit::getGigabyte(),
        icu::MeasureUnit::getTerabyte(), icu::MeasureUnit::getPetabyte(), icu::MeasureUnit::getPetabyte()};
    static constexpr int kDigits[] = {0, 1, 2, 2, 2, 2};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (unit + 1 < std::size(kUnits)) {
        const double scale = std::pow(10.0, kDigits[unit]);
        if (std::round(value * scale) / scale < 1000.0) break;
        value /= 1000.0;
        ++unit;
    }
    if (english) return formatDecimal(value, 0, kDigits[unit]) + " " + kUnits[unit];
    // ICU has no exabyte: the largest sizes are written in petabytes.
    if (unit == 5) value *= 1000.0;
    return localUnitText(value, kDigits[unit], kLocalUnits[unit]);
}

}  // namespace foundation
