#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Extensions/StringOffsets.h"
#include "Extensions/TextEditing.h"

namespace {

using str::OffsetRange;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

// Five characters of 1 to 8 scalars each: a decomposed "é", a family emoji, a flag, "x", a "ñ".
const std::string kMixed =
    "e\xCC\x81"
    "👨‍👩‍👧"
    "🇩🇪"
    "x"
    "n\xCC\x83";
const std::string kE = "e\xCC\x81", kFamily = "👨‍👩‍👧", kFlag = "🇩🇪", kN = "n\xCC\x83";

TEST(StringOffsets, PiecesByCharacterOffsets) {
    struct Case {
        std::string text;
        OffsetRange range;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"hello", OffsetRange::halfOpen(1, 5), "ello"},
        {"hello", OffsetRange::halfOpen(1, 6), std::nullopt},
        {"hello", OffsetRange::through(1, 4), "ello"},
        {"hello", OffsetRange::through(1, 5), std::nullopt},
        {"hello", OffsetRange::halfOpen(5, 5), ""},
        {"hello", OffsetRange::halfOpen(-1, 2), std::nullopt},
        {"hello", OffsetRange::halfOpen(3, 2), std::nullopt},
        {"hello", OffsetRange::from(1), std::nullopt},
        {"hello", OffsetRange::upTo(2), std::nullopt},
        {"hello", OffsetRange::through(0, kMax), std::nullopt},
        {"hello", OffsetRange::through(kMin, 1), std::nullopt},
        {kMixed, OffsetRange::halfOpen(1, 3), kFamily + kFlag},
        {kMixed, OffsetRange::through(0, 0), kE},
        {kMixed, OffsetRange::halfOpen(4, 5), kN},
        {kMixed, OffsetRange::halfOpen(0, 6), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " " + std::to_string(c.range.lower) + "," + std::to_string(c.range.upper));
        EXPECT_EQ(str::substring(c.text, c.range), c.expected);
    }

    struct Slice {
        std::string text;
        std::int64_t from, length;
        std::optional<std::string> expected;
    };
    const Slice slices[] = {
        {"hello", 3, 10, "lo"},          {"hello", 5, 1, std::nullopt},  {"hello", 0, 0, ""},
        {"hello", -1, 2, std::nullopt},  {"hello", 1, -1, std::nullopt}, {"hello", 1, kMax, "ello"},
        {kMixed, 1, 2, kFamily + kFlag}, {"", 0, 0, std::nullopt},
    };
    for (const Slice& s : slices) {
        SCOPED_TRACE(s.text + " " + std::to_string(s.from) + "+" + std::to_string(s.length));
        EXPECT_EQ(str::slicing(s.text, s.from, s.length), s.expected);
        std::string edited = s.text;
        str::slice(edited, s.from, s.length);
        EXPECT_EQ(edited, s.expected.value_or(s.text));
    }

    std::vector<std::optional<std::string>> characters;
    for (std::int64_t i = -1; i <= 5; ++i) characters.push_back(str::character(kMixed, i));
    EXPECT_EQ(characters, (std::vector<std::optional<std::string>>{std::nullopt, kE, kFamily, kFlag, "x", kN,
                                                                   std::nullopt}));
    EXPECT_EQ(str::firstCharacterAsString(kMixed), kE);
    EXPECT_EQ(str::lastCharacterAsString(kMixed), kN);
    EXPECT_EQ(str::firstCharacterAsString(""), std::nullopt);
    EXPECT_EQ(str::lastCharacterAsString(""), std::nullopt);

    struct Edit {
        std::int64_t a, b;
        std::string fromTo;  // slice(from:to:)
        std::string at;      // slice(at:) with a
    };
    const Edit edits[] = {
        {1, 3, kFamily + kFlag, kFamily + kFlag + "x" + kN},
        {0, 5, kMixed, kMixed},
        {3, 2, kMixed, "x" + kN},
        {-1, 2, kMixed, kMixed},
        {4, 6, kMixed, kN},
        {5, 5, "", kMixed},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(std::to_string(e.a) + "," + std::to_string(e.b));
        std::string fromTo = kMixed, at = kMixed;
        str::sliceFromTo(fromTo, e.a, e.b);
        str::slice(at, e.a);
        EXPECT_EQ(fromTo, e.fromTo);
        EXPECT_EQ(at, e.at);
    }
}

TEST(StringOffsets, OffsetEditsClampAndKeepCharactersWhole) {
    struct Case {
        std::int64_t offset;
        std::string fromOffset, toOffset, inserted;  // inserted: "|" at the offset
    };
    const Case cases[] = {
        {0, kMixed, "", "|" + kMixed},
        {2, kFlag + "x" + kN, kE + kFamily, kE + kFamily + "|" + kFlag + "x" + kN},
        {5, "", kMixed, kMixed + "|"},
        {-1, kMixed, "", "|" + kMixed},
        {10, "", kMixed, kMixed + "|"},
        {kMax, "", kMixed, kMixed + "|"},
        {kMin, kMixed, "", "|" + kMixed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offset);
        EXPECT_EQ(text::substringFromOffset(kMixed, c.offset), c.fromOffset);
        EXPECT_EQ(text::substringToOffset(kMixed, c.offset), c.toOffset);
        EXPECT_EQ(text::inserting(kMixed, "|", c.offset), c.inserted);
    }
    EXPECT_EQ(text::inserting("abc", "X", 1), "aXbc");
    EXPECT_EQ(text::inserting("abc", "X", 10), "abcX");
    EXPECT_EQ(text::inserting("abc", "X", -1), "Xabc");

    struct Range {
        std::int64_t from, to;
        std::optional<std::string> guarded;
        std::string unguarded;
    };
    const Range ranges[] = {
        {1, 3, kFamily + kFlag, kFamily + kFlag}, {0, 5, kMixed, kMixed}, {-1, 2, std::nullopt, kE + kFamily},
        {3, 6, std::nullopt, "x" + kN},           {3, 1, "", ""},         {kMin, kMax, std::nullopt, kMixed},
    };
    for (const Range& r : ranges) {
        SCOPED_TRACE(std::to_string(r.from) + ".." + std::to_string(r.to));
        EXPECT_EQ(text::substring(kMixed, r.from, r.to), r.guarded);
        EXPECT_EQ(text::substringUnguarded(kMixed, r.from, r.to), r.unguarded);
    }
    EXPECT_EQ(text::length(kMixed), 5u);
    EXPECT_EQ(text::length(""), 0u);
}

TEST(StringOffsets, AffixesAndOccurrences) {
    const std::string composedE = "\xC3\xA9";  // "é" as one scalar; kE is the same character decomposed
    struct Case {
        std::string text, affix;
        bool caseSensitive;
        bool starts, ends, contains;
        std::size_t count;
    };
    const Case cases[] = {
        {"Hello World", "hello", false, true, false, true, 1},
        {"Hello World", "hello", true, false, false, false, 0},
        {"Hello World", "WORLD", false, false, true, true, 1},
        {"aaaa", "aa", true, true, true, true, 2},
        {"abc", "", true, true, true, false, 0},
        {kE + "t" + kE, composedE, true, true, true, true, 2},
        {"STRASSE", "straße", false, false, false, true, 0},
        {"x", "xyz", true, false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.affix);
        EXPECT_EQ(str::starts(c.text, c.affix, c.caseSensitive), c.starts);
        EXPECT_EQ(str::ends(c.text, c.affix, c.caseSensitive), c.ends);
        EXPECT_EQ(str::contains(c.text, c.affix, c.caseSensitive), c.contains);
        EXPECT_EQ(str::count(c.text, c.affix, c.caseSensitive), c.count);
    }
    struct Affix {
        std::string text, affix;
        std::string withoutPrefix, withoutSuffix, withPrefix;
    };
    const Affix affixes[] = {
        {"prefix-body", "prefix-", "body", "prefix-body", "prefix-body"},
        {"body.txt", ".txt", "body.txt", "body", ".txtbody.txt"},
        {"abc", "", "abc", "abc", "abc"},
        {kE + "cole", composedE, "cole", kE + "cole", kE + "cole"},
        {kFlag + "x", "🇩", kFlag + "x", kFlag + "x", "🇩" + kFlag + "x"},
    };
    for (const Affix& a : affixes) {
        SCOPED_TRACE(a.text + " / " + a.affix);
        EXPECT_EQ(str::removingPrefix(a.text, a.affix), a.withoutPrefix);
        EXPECT_EQ(str::removingSuffix(a.text, a.affix), a.withoutSuffix);
        EXPECT_EQ(str::withPrefix(a.text, a.affix), a.withPrefix);
    }
    struct Replace {
        std::string text, find, with;
        std::string all, first;
    };
    const Replace replaces[] = {
        {"a.b.c", ".", "::", "a::b::c", "a::b.c"},
        {"aaa", "aa", "b", "ba", "ba"},
        {"abc", "", "x", "abc", "abc"},
        {"abc", "z", "x", "abc", "abc"},
        {"x" + composedE, kE, "e", "x" + composedE, "x" + composedE},  // literal: no canonical equivalence
    };
    for (const Replace& r : replaces) {
        SCOPED_TRACE(r.text + " / " + r.find);
        EXPECT_EQ(text::replacing(r.text, r.find, r.with), r.all);
        EXPECT_EQ(text::replacingFirst(r.text, r.find, r.with), r.first);
    }
    EXPECT_EQ(text::split("a,,b,c,", ","), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(text::split(kE + "x" + kE, composedE), (std::vector<std::string>{"x"}));
    EXPECT_EQ(text::split("", ","), std::vector<std::string>{});

    using text::ComparisonResult;
    struct Order {
        const char* a;
        const char* b;
        ComparisonResult expected;
    };
    const Order orders[] = {
        {"file2", "file10", ComparisonResult::OrderedAscending},
        {"file10", "file2", ComparisonResult::OrderedDescending},
        {"file007", "file7", ComparisonResult::OrderedSame},
        {"a", "b", ComparisonResult::OrderedAscending},
        {"a", "a1", ComparisonResult::OrderedAscending},
        {"x99999999999999999999999", "x100000000000000000000000", ComparisonResult::OrderedAscending},
        {"", "", ComparisonResult::OrderedSame},
    };
    for (const Order& o : orders) {
        SCOPED_TRACE(std::string(o.a) + " vs " + o.b);
        EXPECT_EQ(text::numericCompare(o.a, o.b), o.expected);
    }
}

}  // namespace
