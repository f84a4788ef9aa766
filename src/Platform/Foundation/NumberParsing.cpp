#include "Platform/Foundation/NumberParsing.h"

#include "Platform/Foundation/IcuText.h"

#include <unicode/fmtable.h>
#include <unicode/numfmt.h>
#include <unicode/parsepos.h>
#include <unicode/unistr.h>

#include <memory>

namespace foundation {

std::optional<double> parseNumber(std::string_view text, const std::string& localeId) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format(
        icu::NumberFormat::createInstance(icutext::locale(localeId), status));
    if (U_FAILURE(status) || !format) return std::nullopt;
    format->setParseIntegerOnly(false);
    const icu::UnicodeString input = icutext::unicode(text);
    if (input.isEmpty()) return std::nullopt;
    icu::Formattable result;
    icu::ParsePosition position(0);
    format->parse(input, result, position);
    // A formatter asked for a number from the whole text refuses one that leaves text unread.
    if (position.getErrorIndex() >= 0 || position.getIndex() != input.length()) return std::nullopt;
    const double value = result.getDouble(status);
    if (U_FAILURE(status)) return std::nullopt;
    return value;
}

}  // namespace foundation
