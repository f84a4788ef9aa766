#include "Platform/Foundation/TextSearch.h"

#include "Platform/Foundation/IcuText.h"
#include "Platform/Foundation/TextServices.h"

#include <unicode/utf8.h>

namespace foundation {
namespace {

icu::UnicodeString matchKey(const icu::UnicodeString& s) {
    return icutext::comparisonKey(s, CompareOptions::caseInsensitive);
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

}  // namespace

std::vector<TextRange> caseInsensitiveRanges(std::string_view text, std::string_view find) {
    const icu::UnicodeString needle = matchKey(icutext::unicode(find));
    if (needle.isEmpty() || text.empty()) return {};

    // The key of the whole text, built one code point at a time so that every key position that
    // starts a code point's expansion remembers the byte offset of that code point.
    icu::UnicodeString key;
    std::vector<long long> byteAt;  // key index -> byte offset, -1 inside an expansion
    const auto length = static_cast<int32_t>(text.size());
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    for (int32_t i = 0; i < length;) {
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) c = 0xFFFD;
        const icu::UnicodeString part = matchKey(icu::UnicodeString(c));
        byteAt.push_back(start);
        byteAt.insert(byteAt.end(), static_cast<std::size_t>(part.length() - 1), -1);
        key.append(part);
    }
    byteAt.push_back(length);

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
