#pragma once
// Pieces and edits of a text by character offsets, literal replacement and splitting, and the
// numeric ordering of texts. Offsets count user-perceived characters; an offset outside the text
// is clamped to it, never read past its end. Pure functions; safe from any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace text {

enum class ComparisonResult { OrderedAscending = -1, OrderedSame = 0, OrderedDescending = 1 };

std::size_t length(std::string_view s);
std::string lowercase(std::string_view s);
// Title case for the first character, the rest unchanged (a single character is title-cased whole).
std::string capitalizingFirstLetter(std::string_view s);

// From `offset` to the end / before `offset`; the offset is clamped to 0...count.
std::string substringFromOffset(std::string_view s, std::int64_t offset);
std::string substringToOffset(std::string_view s, std::int64_t offset);
// Absent when from < 0 or to > count; empty when to < from.
std::optional<std::string> substring(std::string_view s, std::int64_t from, std::int64_t to);
// The same with both offsets clamped to 0...count (and empty when to < from).
std::string substringUnguarded(std::string_view s, std::int64_t from, std::int64_t to);
// `insert` put before the character at offset `at` (at the start for at < 0, at the end past it).
std::string inserting(std::string_view s, std::string_view insert, std::int64_t at);

// Every occurrence of `find` replaced, compared byte for byte; an empty `find` changes nothing.
std::string replacing(std::string_view s, std::string_view find, std::string_view with);
std::string replacingFirst(std::string_view s, std::string_view of, std::string_view with);
// The non-empty pieces between occurrences of the separator character.
std::vector<std::string> split(std::string_view s, std::string_view by);

// Digit runs compare by value: "file2" orders before "file10".
ComparisonResult numericCompare(std::string_view s, std::string_view other);

}  // namespace text
