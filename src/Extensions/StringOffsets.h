#pragma once
// Pieces of a text by character offsets, and tests and edits by prefix, suffix and occurrence.
// An offset counts user-perceived characters from the start ("e" + U+0301 and a flag are one
// each); a bad offset gives an absent result or leaves the text unchanged, never a broken
// character. Pure functions (forms taking a std::string& edit it); safe from any thread.

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace str {

// A range of character offsets: half-open lower..<upper, or closed lower...upper. A range open at
// one end has that bound at the limit of int64 (and so never fits a text).
struct OffsetRange {
    std::int64_t lower = 0;
    std::int64_t upper = 0;
    bool closed = false;

    static OffsetRange halfOpen(std::int64_t a, std::int64_t b) { return {a, b, false}; }
    static OffsetRange through(std::int64_t a, std::int64_t b) { return {a, b, true}; }
    static OffsetRange from(std::int64_t a) { return {a, std::numeric_limits<std::int64_t>::max(), false}; }
    static OffsetRange upTo(std::int64_t b) { return {std::numeric_limits<std::int64_t>::min(), b, false}; }
};

std::optional<std::string> character(std::string_view s, std::int64_t at);
// Absent when the lower bound is negative or a bound lies beyond the count (a bound equal to the
// count is allowed), or the range is inverted.
std::optional<std::string> substring(std::string_view s, OffsetRange in);
// Absent when from < 0, length < 0 or from >= count; empty for length 0; else up to `length`
// characters from `from`.
std::optional<std::string> slicing(std::string_view s, std::int64_t from, std::int64_t length);
void slice(std::string& s, std::int64_t from, std::int64_t length);
// The characters from `from` up to `to` when 0 <= from <= to <= count; otherwise unchanged.
void sliceFromTo(std::string& s, std::int64_t from, std::int64_t to);
// The characters from `at` to the end when 0 <= at < count; otherwise unchanged.
void slice(std::string& s, std::int64_t at);
std::optional<std::string> firstCharacterAsString(std::string_view s);
std::optional<std::string> lastCharacterAsString(std::string_view s);

// Prefixes and suffixes compare whole characters, composed and decomposed accents alike.
std::string removingPrefix(std::string_view s, std::string_view prefix);
std::string removingSuffix(std::string_view s, std::string_view suffix);
std::string withPrefix(std::string_view s, std::string_view prefix);
bool starts(std::string_view s, std::string_view with, bool caseSensitive = true);
bool ends(std::string_view s, std::string_view with, bool caseSensitive = true);
// An empty `find` is never found.
bool contains(std::string_view s, std::string_view find, bool caseSensitive = true);
// Non-overlapping occurrences; 0 for an empty `of`.
std::size_t count(std::string_view s, std::string_view of, bool caseSensitive = true);

}  // namespace str
