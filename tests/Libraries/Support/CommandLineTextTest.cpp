// The parser's text functions: reading a number with a given decimal separator, splitting at the
// first "=", and the common ending of two texts.

#include <gtest/gtest.h>

#include <cmath>

#include "Libraries/Support/CommandLineText.h"
#include "Platform/Foundation/Formatters.h"

namespace str {
namespace {

TEST(CommandLineTextTest, NumbersWithADecimalSeparator) {
    struct Case {
        std::string text;
        std::string separator;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"0,5", ",", 0.5},
        {"0.5", ",", std::nullopt},
        {"-1,5e2", ",", -150},
        {"0.5", ".", 0.5},
        {"0,5", ".", std::nullopt},
        {"-5", ".", -5},
        {"+2", ".", 2},
        {"1e5", ".", 1e5},
        {"-0x1p3", ".", -8},
        {"1\xD9\xAB"
         "5",
         "\xD9\xAB", 1.5},  // Arabic decimal separator, two bytes
        {"1\xD9"
         "5",
         "\xD9\xAB", std::nullopt},
        {"", ".", std::nullopt},
        {" 1", ".", std::nullopt},
        {"\t1", ".", std::nullopt},
        {"1 ", ".", std::nullopt},
        {std::string("1\0"
                     "5",
                     3),
         ".", std::nullopt},
        {"1.5x", ".", std::nullopt},
        {"-", ".", std::nullopt},
        {"-x", ".", std::nullopt},
        {"abc", ".", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(toDouble(c.text, c.separator), c.value) << c.text;
    EXPECT_TRUE(std::isinf(*toDouble("-inf", ".")));
    EXPECT_TRUE(std::isnan(*toDouble("nan", ".")));

    const std::string saved = foundation::defaultLocale();
    foundation::setDefaultLocale("de_DE");
    EXPECT_EQ(toDouble("0,5"), 0.5);
    EXPECT_EQ(toDouble("0.5"), std::nullopt);
    foundation::setDefaultLocale("en_US");
    EXPECT_EQ(toDouble("0.5"), 0.5);
    EXPECT_EQ(toDouble("0,5"), std::nullopt);
    foundation::setDefaultLocale(saved);
}

TEST(CommandLineTextTest, SplittingKeepsEmptyPiecesButTheLast) {
    using Pieces = std::vector<std::string>;
    struct Case {
        std::string text;
        std::size_t maxSplits;
        Pieces pieces;
    };
    const Case cases[] = {
        {"a=b=c", 1, {"a", "b=c"}},
        {"a=b=c", 0, {"a", "b", "c"}},
        {"a=", 1, {"a"}},
        {"=a", 1, {"", "a"}},
        {"a==b", 0, {"a", "", "b"}},
        {"=", 1, {""}},
        {"", 0, {}},
        {"abc", 1, {"abc"}},
        {"x=\xCC\x81y", 1, {"x=\xCC\x81y"}},  // "=" with an accent on it is another character
    };
    for (const auto& c : cases) EXPECT_EQ(split(c.text, "=", c.maxSplits), c.pieces) << c.text;
}

TEST(CommandLineTextTest, CommonSuffixComparesWholeCharacters) {
    using foundation::CompareOptions;
    struct Case {
        std::string text, other;
        CompareOptions options;
        std::string suffix;
    };
    const Case cases[] = {
        {"photo.jpeg", "image.jpeg", CompareOptions::none, ".jpeg"},
        {"photo.JPEG", "image.jpeg", CompareOptions::none, ""},
        {"photo.JPEG", "image.jpeg", CompareOptions::caseInsensitive, ".JPEG"},
        {"abc", "abc", CompareOptions::none, "abc"},
        {"bc", "abc", CompareOptions::none, "bc"},
        {"abc", "c", CompareOptions::none, "c"},
        {"", "abc", CompareOptions::none, ""},
        {"abc", "", CompareOptions::none, ""},
        // A precomposed é and e with a combining accent are the same character, unless literal.
        {"caf\xC3\xA9", "CAFE\xCC\x81", CompareOptions::caseInsensitive, "caf\xC3\xA9"},
        {"caf\xC3\xA9", "cafe\xCC\x81", CompareOptions::literal, ""},
        // An accent never splits off its letter.
        {"cafe\xCC\x81", "cafe", CompareOptions::none, ""},
        {"cafe\xCC\x81", "CAFE", CompareOptions::caseInsensitive | CompareOptions::diacriticInsensitive,
         "cafe\xCC\x81"},
        {"\xEF\xBC\xA1"
         "b",
         "Ab", CompareOptions::widthInsensitive,
         "\xEF\xBC\xA1"
         "b"},  // fullwidth A
    };
    for (const auto& c : cases)
        EXPECT_EQ(commonSuffix(c.text, c.other, c.options), c.suffix) << c.text << " / " << c.other;
}

}  // namespace
}  // namespace str
