#include "Platform/Foundation/TextSearch.h"

#include <gtest/gtest.h>

namespace foundation {
namespace {

std::vector<std::string> matches(const std::string& text, const std::string& find) {
    std::vector<std::string> found;
    for (const auto& range : caseInsensitiveRanges(text, find))
        found.push_back(text.substr(range.location, range.length));
    return found;
}

TEST(TextSearch, FindsNonOverlappingMatchesIgnoringCase) {
    EXPECT_EQ(caseInsensitiveRanges("aaaa", "aa"), (std::vector<TextRange>{{0, 2}, {2, 2}}));
    EXPECT_EQ(matches("img_IMG_Img", "img"), (std::vector<std::string>{"img", "IMG", "Img"}));
    EXPECT_TRUE(caseInsensitiveRanges("photo", "").empty());
    EXPECT_TRUE(caseInsensitiveRanges("", "a").empty());
    EXPECT_TRUE(caseInsensitiveRanges("photo", "x").empty());
}

TEST(TextSearch, OffsetsStayOnTheOriginalTextWhenCaseMappingChangesLength) {
    // "İ" lower-cases to two code points; the match after it must still be found where it is.
    const std::string text = "İstanbul_IMG";
    const auto ranges = caseInsensitiveRanges(text, "img");
    ASSERT_EQ(ranges.size(), 1u);
    EXPECT_EQ(text.substr(ranges[0].location, ranges[0].length), "IMG");
    EXPECT_EQ(ranges[0].location + ranges[0].length, text.size());

    // A match never covers part of a character.
    EXPECT_TRUE(caseInsensitiveRanges("İ", "i").empty());
    EXPECT_EQ(matches("ıİiI", "i"), (std::vector<std::string>{"i", "I"}));
    // Full case folding: "ß" matches "SS" and "STRASSE" matches "straße".
    EXPECT_EQ(matches("Straße", "SS"), (std::vector<std::string>{"ß"}));
    EXPECT_EQ(matches("STRASSE", "straße"), (std::vector<std::string>{"STRASSE"}));
    EXPECT_TRUE(caseInsensitiveRanges("Straße", "s").size() == 1);
    // Composed and decomposed accents are the same text; a letter is not found inside an accented one.
    EXPECT_EQ(matches("Caf\u00e9", "CAFE\u0301"), (std::vector<std::string>{"Caf\u00e9"}));
    EXPECT_EQ(matches("Cafe\u0301", "\u00c9"), (std::vector<std::string>{"e\u0301"}));
    EXPECT_TRUE(caseInsensitiveRanges("Cafe\u0301", "e").empty());
    EXPECT_EQ(matches("ΣΊΣΥΦΟΣ", "σ"), (std::vector<std::string>{"Σ", "Σ", "Σ"}));
}

TEST(TextSearch, TrimsUnicodeWhitespaceAndLineBreaksAtBothEnds) {
    EXPECT_EQ(trimmingWhitespaceAndNewlines("  Trip  "), "Trip");
    EXPECT_EQ(trimmingWhitespaceAndNewlines("\t\n\u00a0\u2003Trip day\u2028\r\u0085"), "Trip day");
    EXPECT_EQ(trimmingWhitespaceAndNewlines(" \n "), "");
    EXPECT_EQ(trimmingWhitespaceAndNewlines("x\u200b"), "x\u200b");  // zero-width space is no white space
}

}  // namespace
}  // namespace foundation
