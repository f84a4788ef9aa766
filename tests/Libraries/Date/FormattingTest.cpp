#include "Libraries/Date/Formatting.h"

#include "DateFixture.h"

namespace dates {
namespace {

using datetest::berlin;
using datetest::icuNeutral;
using datetest::utc;

class Formatting : public datetest::DateTest {};

TEST_F(Formatting, StylesPatternsAndNamesInEnglish) {
    const Date d = berlin(2024, 2, 29, 15, 4, 5);  // a Thursday
    EXPECT_EQ(string(d, DateStyle::None), "");
    EXPECT_EQ(stringWithDateStyle(d, DateStyle::Short), "2/29/24");
    EXPECT_EQ(stringWithDateStyle(d, DateStyle::Medium), "Feb 29, 2024");
    EXPECT_EQ(stringWithDateStyle(d, DateStyle::None), "");
    EXPECT_EQ(icuNeutral(stringWithTimeStyle(d, DateStyle::Short)), "3:04 PM");
    EXPECT_EQ(icuNeutral(string(d, DateStyle::Short)), "2/29/24, 3:04 PM");
    EXPECT_EQ(stringWithFormat(d, "yyyy-MM-dd HH:mm:ss"), "2024-02-29 15:04:05");

    const Date monday = berlin(2024, 2, 26, 12);
    EXPECT_EQ(dayName(monday, DayNameStyle::threeLetters), "Mon");
    EXPECT_EQ(dayName(monday, DayNameStyle::oneLetter), "M");
    EXPECT_EQ(dayName(monday, DayNameStyle::full), "Monday");
    EXPECT_EQ(monthName(monday, MonthNameStyle::threeLetters), "Feb");
    EXPECT_EQ(monthName(monday, MonthNameStyle::oneLetter), "F");
    EXPECT_EQ(monthName(monday, MonthNameStyle::full), "February");

    use("de_DE", "Europe/Berlin");
    EXPECT_EQ(stringWithDateStyle(d, DateStyle::Short), "29.02.24");
    EXPECT_EQ(dayName(monday, DayNameStyle::full), "Montag");
}

TEST_F(Formatting, Iso8601IsTheSameEverywhere) {
    const Date d = utc(2024, 2, 29, 10, 30, 0.25);
    for (const auto& [locale, zone] :
         {std::pair{"de_DE", "Asia/Kathmandu"}, std::pair{"en_US", "UTC"},
          std::pair{"ar_EG", "America/Sao_Paulo"}, std::pair{"th_TH", "Asia/Bangkok"}}) {
        use(locale, zone);
        EXPECT_EQ(iso8601String(d), "2024-02-29T10:30:00.250Z") << locale;
        EXPECT_EQ(fromIso8601String(iso8601String(d)), d) << locale;
    }
    EXPECT_EQ(iso8601String(utc(2024, 1, 1, 23, 59, 59.999)), "2024-01-01T23:59:59.999Z");
}

TEST_F(Formatting, ParsingIsStrict) {
    struct Case {
        const char* text;
        std::optional<Date> expected;
    };
    const Case iso[] = {
        {"2024-02-29T10:30:00.250+0000", utc(2024, 2, 29, 10, 30, 0.25)},
        {"2024-02-29T10:30:00.250+0100", utc(2024, 2, 29, 9, 30, 0.25)},
        {"2024-02-29T10:30:00.250Z", utc(2024, 2, 29, 10, 30, 0.25)},
        {"2024-02-29T10:30:00+0000", std::nullopt},
        {"2024-02-29T10:30:00.250+0000xyz", std::nullopt},
        {"2023-02-29T10:30:00.250+0000", std::nullopt},
        {"2024-02-29T25:30:00.250+0000", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : iso) EXPECT_EQ(fromIso8601String(c.text), c.expected) << c.text;

    struct Day {
        std::int64_t value;
        std::optional<Date> expected;
    };
    const Day days[] = {
        {20240229, berlin(2024, 2, 29)}, {20230229, std::nullopt}, {20241301, std::nullopt},
        {20240331, berlin(2024, 3, 31)}, {19000229, std::nullopt}, {20000229, berlin(2000, 2, 29)},
        {-20240229, std::nullopt},
    };
    for (const Day& c : days) EXPECT_EQ(fromYyyyMMdd(c.value), c.expected) << c.value;
    use("en_US", "America/Sao_Paulo");
    EXPECT_EQ(fromYyyyMMdd(20181104), utc(2018, 11, 4, 3));  // midnight was skipped: 01:00
}

}  // namespace
}  // namespace dates
