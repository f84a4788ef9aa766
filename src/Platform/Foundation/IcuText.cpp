#include "Platform/Foundation/IcuText.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>

namespace foundation::icutext {

icu::UnicodeString unicode(std::string_view text) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
}

std::string utf8(const icu::UnicodeString& s) {
    std::string out;
    s.toUTF8String(out);
    return out;
}

icu::Locale locale(const std::string& id) {
    return id.empty() ? icu::Locale::getDefault() : icu::Locale(id.c_str());
}

icu::UnicodeString withoutNonSpacingMarks(const icu::UnicodeString& s) {
    icu::UnicodeString kept;
    for (int32_t i = 0; i < s.length(); i = s.moveIndex32(i, 1)) {
        const UChar32 c = s.char32At(i);
        if (u_charType(c) != U_NON_SPACING_MARK) kept.append(c);
    }
    return kept;
}

icu::UnicodeString comparisonKey(icu::UnicodeString s, CompareOptions options) {
    UErrorCode status = U_ZERO_ERROR;
    // Width folding is a compatibility decomposition; everything else needs only the canonical one.
    const icu::Normalizer2* decompose = has(options, CompareOptions::widthInsensitive)
                                            ? icu::Normalizer2::getNFKDInstance(status)
                                            : icu::Normalizer2::getNFDInstance(status);
    if (has(options, CompareOptions::caseInsensitive)) s.foldCase();
    if (U_FAILURE(status)) return s;
    icu::UnicodeString key = decompose->normalize(s, status);
    if (U_FAILURE(status)) return s;
    return has(options, CompareOptions::diacriticInsensitive) ? withoutNonSpacingMarks(key) : key;
}

}  // namespace foundation::icutext
