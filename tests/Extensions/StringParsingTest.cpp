#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "Extensions/CharacterMembers.h"
#include "Extensions/StringParsing.h"
#include "Extensions/TextNumbers.h"

namespace {

TEST(StringParsing, IntegersAndTruthWords) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> int_;         // untrimmed, strict
        std::optional<std::int64_t> nonNegative;  // trimmed, not below 0
        std::int64_t orZero;
    };
    const Case cases[] = {
        {"12", 12, 12, 12},
        {" 12 ", std::nullopt, 12, 0},
        {"-3", -3, std::nullopt, -3},
        {"+7", 7, 7, 7},
        {"0", 0, 0, 0},
        {"x", std::nullopt, std::nullopt, 0},
        {"", std::nullopt, std::nullopt, 0},
        {"-", std::nullopt, std::nullopt, 0},
        {"+-1", std::nullopt, std::nullopt, 0},
        {"1.5", std::nullopt, std::nullopt, 0},
        {"9223372036854775807", INT64_MAX, INT64_MAX, INT64_MAX},
        {"-9223372036854775808", INT64_MIN, std::nullopt, INT64_MIN},
        {"9223372036854775808", std::nullopt, std::nullopt, 0},
        {"\xd9\xa3", std::nullopt, std::nullopt, 0},  // an Arabic-Indic digit is not a base-10 ASCII digit
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::int_(c.text), c.int_);
        EXPECT_EQ(text::nonNegativeInt(c.text), c.nonNegative);
        EXPECT_EQ(text::intOrZero(c.text), c.orZero);
    }
    EXPECT_EQ(chr::int_("7"), 7);
    EXPECT_EQ(chr::int_("a"), std::nullopt);

    const std::pair<const char*, std::optional<bool>> truths[] = {
        {" YES ", true},    {"true", true},      {"1", true},        {"No", false},          {"0", false},
        {"FALSE\n", false}, {"2", std::nullopt}, {"", std::nullopt}, {"yess", std::nullopt},
    };
    for (const auto& [text, expected] : truths) {
        SCOPED_TRACE(text);
        EXPECT_EQ(str::bool_(text), expected);
    }
}

TEST(StringParsing, NumbersScannedFromTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"3.5kg", 3.5}, {"kg", 0.0},         {"  -2e3 x", -2000.0}, {".5", 0.5},
        {"7.", 7.0},    {"1e", 1.0},         {"+4", 4.0},           {"", 0.0},
        {"-", 0.0},     {"1e999", HUGE_VAL}, {"12,5", 12.0},        {"\n\t9", 9.0},
        {"e5", 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(text::scannedDouble(c.text), c.value);
        EXPECT_EQ(text::scannedFloat(c.text), static_cast<float>(c.value));
    }
}

TEST(StringParsing, NumericAndDigitTexts) {
    const std::pair<const char*, bool> numeric[] = {
        {"12.5", true}, {" 12 ", true}, {"-3e2", true}, {"12a", false},
        {"", false},    {".", false},   {"1 2", false},
    };
    for (const auto& [text, expected] : numeric) {
        SCOPED_TRACE(text);
        EXPECT_EQ(str::isNumeric(text), expected);
    }
    const std::pair<const char*, bool> digits[] = {
        {"", true}, {"0123", true}, {"\xd9\xa3\xd9\xa4", true}, {"12 ", false}, {"-1", false}, {"1.0", false},
    };
    for (const auto& [text, expected] : digits) {
        SCOPED_TRACE(text);
        EXPECT_EQ(str::isDigits(text), expected);
    }
}

TEST(StringParsing, DatesReadWithFixedPatterns) {
    const auto day = str::date("2024-03-05");
    ASSERT_TRUE(day);
    // The same day in every accepted spelling, and the time of day counted from its midnight.
    EXPECT_EQ(str::date(" 2024-03-05\n"), day);
    EXPECT_EQ(str::dateTime("2024-03-05 00:00:00"), day);
    const auto afternoon = str::dateTime("2024-03-05 12:30:15");
    ASSERT_TRUE(afternoon);
    EXPECT_DOUBLE_EQ(afternoon->timeIntervalSince(*day), 12 * 3600 + 30 * 60 + 15);
    EXPECT_EQ(str::date("05.03.2024", "dd.MM.yyyy"), day);
    const auto nextDay = str::date("2024-03-06");
    ASSERT_TRUE(nextDay);
    EXPECT_NEAR(nextDay->timeIntervalSince(*day), 86400, 3600);  // a daylight-saving change may fall between

    for (const char* bad :
         {"2024-13-01", "2024-02-30", "2024-03-05x", "", "yesterday", "2024-03-05 25:00:00"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(str::date(bad));
    }
    EXPECT_FALSE(str::dateTime("2024-03-05"));
    EXPECT_FALSE(str::date("05.03.2024x", "dd.MM.yyyy"));
    EXPECT_FALSE(str::date("05.03.2024", ""));
}

}  // namespace
