#include "Platform/Foundation/DecimalSeparator.h"

#include <unicode/dcfmtsym.h>
#include <unicode/unistr.h>

namespace foundation {

std::string decimalSeparator(const std::string& localeId) {
    const icu::Locale locale = localeId.empty() ? icu::Locale::getDefault() : icu::Locale(localeId.c_str());
    UErrorCode status = U_ZERO_ERROR;
    const icu::DecimalFormatSymbols symbols(locale, status);
    if (U_FAILURE(status)) return ".";
    const icu::UnicodeString& separator =
        symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
    std::string out;
    separator.toUTF8String(out);
    return out.empty() ? "." : out;
}

}  // namespace foundation
