#pragma once
// The decimal separator a locale writes numbers with. Each call reads the locale's own number
// symbols: safe from any thread.

#include <string>

namespace foundation {

// The separator of `localeId` (an ICU identifier such as "de_DE"; empty means the user's current
// locale, ICU's default), as UTF-8: "." for en_US, "," for de_DE, U+066B for ar_EG. "." when the
// locale has none.
std::string decimalSeparator(const std::string& localeId = {});

}  // namespace foundation
