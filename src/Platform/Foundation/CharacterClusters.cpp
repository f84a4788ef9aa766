#include "Platform/Foundation/CharacterClusters.h"

#include "Platform/Foundation/TextServices.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <memory>

namespace foundation {

std::vector<std::string_view> characterClusters(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (const std::size_t end : characterBoundaries(text)) {
        if (end <= start || end > text.size()) continue;
        out.push_back(text.substr(start, end - start));
        start = end;
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

namespace {

icu::UnicodeString comparisonKey(std::string_view text, CompareOptions options) {
    icu::UnicodeString s =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    // Width folding is a compatibility decomposition; everything else needs only the canonical one.
    const icu::Normalizer2* decompose = has(options, CompareOptions::widthInsensitive)
                                            ? icu::Normalizer2::getNFKDInstance(status)
                                            : icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status)) return s;
    if (has(options, CompareOptions::caseInsensitive)) s.foldCase();
    icu::UnicodeString key = decompose->normalize(s, status);
    if (U_FAILURE(status)) return s;
    if (has(options, CompareOptions::diacriticInsensitive)) {
        icu::UnicodeString bare;
        for (int32_t i = 0; i < key.length();) {
            const UChar32 c = key.char32At(i);
            if (u_charType(c) != U_NON_SPACING_MARK) bare.append(c);
            i += U16_LENGTH(c);
        }
        key = bare;
    }
    return key;
}

}  // namespace

bool sameText(std::string_view a, std::string_view b, CompareOptions options) {
    if (has(options, CompareOptions::literal)) return a == b;
    return comparisonKey(a, options) == comparisonKey(b, options);
}

}  // namespace foundation
