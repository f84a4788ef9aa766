#pragma once
// Text services on UTF-8 strings that need Unicode rules: case-insensitive and lower-case search,
// and trimming of white space. Pure functions; safe from any thread.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

// A match as a byte offset and a byte length in the searched UTF-8 text.
struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const TextRange&) const = default;
};

// Every non-overlapping occurrence of `find` in `text`, left to right, ignoring letter case
// (full Unicode case folding, canonically equivalent forms match). A match always covers whole
// characters of `text`, so replacing it never splits a character: "STRASSE" matches "straße", and
// "İstanbul" (whose lower case is longer than itself) is searched without losing track of offsets.
// An empty `find` gives no match.
std::vector<TextRange> caseInsensitiveRanges(std::string_view text, std::string_view find);

// Every non-overlapping occurrence of the lower case of `find` in the lower case of `text`, left to
// right (full lower-case mapping, the same in every language; canonically equivalent forms match):
// unlike case folding, "ß" does not match "SS". Matches cover whole characters of `text`, as above.
std::vector<TextRange> lowercaseRanges(std::string_view text, std::string_view find);

// `text` without white space and line breaks at both ends (Unicode separators, U+0009...U+000D and
// U+0085).
std::string trimmingWhitespaceAndNewlines(std::string_view text);

}  // namespace foundation
