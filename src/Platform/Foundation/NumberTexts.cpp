#include "Platform/Foundation/NumberTexts.h"

#include "Platform/Foundation/IcuText.h"

#include <unicode/fmtable.h>
#include <unicode/numberformatter.h>
#include <unicode/numfmt.h>
#include <unicode/rbnf.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace foundation {

namespace {

std::optional<std::string> textOf(const icu::UnicodeString& text, UErrorCode status) {
    if (U_FAILURE(status) || text.isEmpty()) return std::nullopt;
    return icutext::utf8(text);
}

std::optional<std::string> currency(const icu::Formattable& value, const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createCurrencyInstance(icutext::locale(locale), status));
    if (U_FAILURE(status) || !format) return std::nullopt;
    icu::UnicodeString text;
    format->format(value, text, status);
    return textOf(text, status);
}

std::optional<std::string> ruleBased(const icu::Formattable& value, icu::URBNFRuleSetTag tag,
                                     const std::string& locale) {
    UErrorCode status = U_ZERO_ERROR;
    icu::RuleBasedNumberFormat format(tag, icutext::locale(locale), status);
    if (U_FAILURE(status)) return std::nullopt;
    icu::UnicodeString text;
    format.format(value, text, status);
    return textOf(text, status);
}

bool finite(double v) {
    return std::isfinite(v);
}

UNumberFormatRoundingMode icuMode(RoundingMode mode) {
    switch (mode) {
        case RoundingMode::Ceiling:
            return UNUM_ROUND_CEILING;
        case RoundingMode::Floor:
            return UNUM_ROUND_FLOOR;
        case RoundingMode::Down:
            return UNUM_ROUND_DOWN;
        case RoundingMode::Up:
            return UNUM_ROUND_UP;
        case RoundingMode::HalfEven:
            return UNUM_ROUND_HALFEVEN;
        case RoundingMode::HalfDown:
            return UNUM_ROUND_HALFDOWN;
        case RoundingMode::HalfUp:
            return UNUM_ROUND_HALFUP;
    }
    return UNUM_ROUND_HALFEVEN;
}

}  // namespace

std::optional<std::string> currencyText(double value, const std::string& locale) {
    if (!finite(value)) return std::nullopt;
    return currency(icu::Formattable(value), locale);
}

std::optional<std::string> currencyText(std::int64_t value, const std::string& locale) {
    return currency(icu::Formattable(static_cast<int64_t>(value)), locale);
}

std::optional<std::string> spelledOutText(double value, const std::string& locale) {
    if (!finite(value)) return std::nullopt;
    return ruleBased(icu::Formattable(value), icu::URBNF_SPELLOUT, locale);
}

std::optional<std::string> spelledOutText(std::int64_t value, const std::string& locale) {
    return ruleBased(icu::Formattable(static_cast<int64_t>(value)), icu::URBNF_SPELLOUT, locale);
}

std::optional<std::string> ordinalText(double value, const std::string& locale) {
    if (!finite(value)) return std::nullopt;
    return ruleBased(icu::Formattable(value), icu::URBNF_ORDINAL, locale);
}

std::optional<std::string> ordinalText(std::int64_t value, const std::string& locale) {
    return ruleBased(icu::Formattable(static_cast<int64_t>(value)), icu::URBNF_ORDINAL, locale);
}

std::string decimalTextWithSuffix(double value, int maxFractionDigits, RoundingMode mode,
                                  const std::string& suffix, const std::string& locale) {
    using namespace icu::number;
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString text =
        NumberFormatter::withLocale(icutext::locale(locale))
            .precision(Precision::minMaxFraction(0, std::clamp(maxFractionDigits, 0, 100)))
            .roundingMode(icuMode(mode))
            .grouping(UNUM_GROUPING_OFF)
            .integerWidth(IntegerWidth::zeroFillTo(1))
            .formatDouble(value, status)
            .toString(status);
    if (U_FAILURE(status)) return std::to_string(value) + suffix;
    return icutext::utf8(text) + suffix;
}

}  // namespace foundation
