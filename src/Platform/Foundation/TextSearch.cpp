#include "Platform/Foundation/TextSearch.h"

#include "Platform/Foundation/IcuText.h"
#include "Platform/Foundation/TextServices.h"

#include <unicode/utf8.h>

namespace foundation {
namespace {

// The form in which one code point is compared: its full case folding, or its full lower case
// (root locale, so that no language's rules apply), decomposed canonically.
using KeyOf = icu::UnicodeString (*)(UChar32);

icu::UnicodeString foldedKey(UChar32 c) {
    return icutext::comparisonKey(icu::UnicodeString(c), CompareOptions::caseInsensitive);
}

icu::UnicodeString lowercaseKey(UChar32 c) {
    icu::UnicodeString lower(c);
    lower.toLower(icu::Locale::getRoot());
    return icutext::comparisonKey(lower, CompareOptions::none);
}

// The key of `text`, built one code point at a time; with `byteAt`, every key position that starts
// a code point's expansion remembers the byte offset of that code point (-1 inside an expansion),
// and one more entry holds the text's length.
icu::UnicodeString keyOf(std::string_view text, KeyOf key, std::vector<long long>* byteAt = nullptr) {
    icu::UnicodeString whole;
    const auto length = static_cast<int32_t>(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) c = 0xFFFD;
        const icu::UnicodeString part = key(c);
        if (byteAt) {
            byteAt->push_back(start);
            byteAt->insert(byteAt->end(), static_cast<std::size_t>(part.length() - 1), -1);
        }
        whole.append(part);
    }
    if (byteAt) byteAt->push_back(length);
    return whole;
}

// Byte offsets of `text` that lie between two user-perceived characters.
std::vector<bool> boundaryFlags(std::string_view text) {
    std::vector<bool> boundary(text.size() + 1, false);
    for (std::size_t b : characterBoundaries(text)) boundary[b] = true;
    boundary.front() = boundary.back() = true;
    return boundary;
}

bool isWhitespaceOrNewline(UChar32 c) {
    return c >= 0 && isMember(static_cast<char32_t>(c), CharacterClass::WhitespacesAndNewlines);
}

// Every non-overlapping match of `find`'s key in `text`'s key that covers whole characters of `text`.
std::vector<TextRange> rangesByKey(std::string_view text, std::string_view find, KeyOf keyFunction) {
    const icu::UnicodeString needle = keyOf(find, keyFunction);
    if (needle.isEmpty() || text.empty()) return {};
    std::vector<long long> byteAt;
    const icu::UnicodeString key = keyOf(text, keyFunction, &byteAt);

    const std::vector<bool> boundary = boundaryFlags(text);
    std::vector<TextRange> ranges;
    for (int32_t from = 0; from <= key.length() - needle.length();) {
        const int32_t at = key.indexOf(needle, from);
        if (at < 0) break;
        const int32_t end = at + needle.length();
        const long long b0 = byteAt[at];
        const long long b1 = byteAt[end];
        if (b0 >= 0 && b1 >= 0 && boundary[b0] && boundary[b1]) {
            ranges.push_back({static_cast<std::size_t>(b0), static_cast<std::size_t>(b1 - b0)});
            from = end;
        } else {
            from = at + 1;
        }
    }
    return ranges;
}

}  // namespace

std::vector<TextRange> caseInsensitiveRanges(std::string_view text, std::string_view find) {
    return rangesByKey(text, find, foldedKey);
}

std::vector<TextRange> lowercaseRanges(std::string_view text, std::string_view find) {
    return rangesByKey(text, find, lowercaseKey);
}

std::string trimmingWhitespaceAndNewlines(std::string_view text) {
    const auto length = static_cast<int32_t>(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    int32_t begin = 0;
    while (begin < length) {
        int32_t next = begin;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (!isWhitespaceOrNewline(c)) break;
        begin = next;
    }
    int32_t end = length;
    while (end > begin) {
        int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes, begin, previous, c);
        if (!isWhitespaceOrNewline(c)) break;
        end = previous;
    }
    return std::string(text.substr(static_cast<std::size_t>(begin), static_cast<std::size_t>(end - begin)));
}

}  // namespace foundation
