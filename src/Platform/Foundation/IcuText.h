#pragma once
// Conversions between UTF-8 text and ICU's strings and locales, and the comparison form of a text,
// for the text services' sources only. Pure functions; any thread.

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <string>
#include <string_view>

#include "Platform/Foundation/CharacterClusters.h"

namespace foundation::icutext {

icu::UnicodeString unicode(std::string_view text);
std::string utf8(const icu::UnicodeString& s);

// The locale of an ICU identifier; the default locale for an empty one.
icu::Locale locale(const std::string& id);

// `s` without its non-spacing marks (accents, once decomposed).
icu::UnicodeString withoutNonSpacingMarks(const icu::UnicodeString& s);

// The form in which two texts compare as the same under `options` (`literal` aside): decomposed
// canonically, or compatibly when widths are ignored; case-folded and without accents when asked.
icu::UnicodeString comparisonKey(icu::UnicodeString s, CompareOptions options);

}  // namespace foundation::icutext
