#include "Platform/Foundation/Formatters.h"

#include <unicode/datefmt.h>
#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

#include <cmath>
#include <memory>

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
    std::string out;
    if (U_FAILURE(status)) return std::to_string(value);
    return text.toUTF8String(out);
}

std::string formatMediumDateTime(Date date) {
    std::unique_ptr<icu::DateFormat> format(icu::DateFormat::createDateTimeInstance(
        icu::DateFormat::kMedium, icu::DateFormat::kMedium, icu::Locale::getDefault()));
    if (!format) return {};
    icu::UnicodeString text;
    format->format(static_cast<UDate>(date.secondsSince1970 * 1000.0), text);
    std::string out;
    return text.toUTF8String(out);
}

std::string formatByteCount(std::uint64_t bytes) {
    if (bytes == 0) return "Zero KB";
    if (bytes == 1) return "1 byte";
    if (bytes < 1000) return std::to_string(bytes) + " bytes";
    // Kilobytes without fraction digits, megabytes with one, larger units with two. A value that
    // rounds up to 1000 of a unit is shown in the next unit.
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    static constexpr int kDigits[] = {0, 1, 2, 2, 2, 2};
    double value = static_cast<double>(bytes) / 1000.0;
    std::size_t unit = 0;
    while (unit + 1 < std::size(kUnits)) {
        const double scale = std::pow(10.0, kDigits[unit]);
        if (std::round(value * scale) / scale < 1000.0) break;
        value /= 1000.0;
        ++unit;
    }
    return formatDecimal(value, 0, kDigits[unit]) + " " + kUnits[unit];
}

}  // namespace foundation
