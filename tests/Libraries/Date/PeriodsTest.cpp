#include "Libraries/Date/Periods.h"

#include "DateFixture.h"

namespace dates {
namespace {

using datetest::berlin;
using datetest::utc;

class Periods : public datetest::DateTest {};

TEST_F(Periods, RoundingToMinutesAndHours) {
    using Round = Date (*)(Date);
    struct Case {
        Round round;
        int hour, minute;
        double second;
        int expectedHour, expectedMinute;
    };
    const Case cases[] = {
        {nearestFiveMinutes, 10, 2, 59.9, 10, 0}, {nearestFiveMinutes, 10, 3, 0, 10, 5},
        {nearestTenMinutes, 10, 25, 0, 10, 20},   {nearestTenMinutes, 10, 26, 0, 10, 30},
        {nearestQuarterHour, 10, 7, 0, 10, 0},    {nearestQuarterHour, 10, 8, 0, 10, 15},
        {nearestHalfHour, 10, 14, 0, 10, 0},      {nearestHalfHour, 10, 15, 0, 10, 30},
        {nearestHour, 10, 29, 59, 10, 0},         {nearestHour, 10, 30, 0, 11, 0},
        {nearestHour, 23, 45, 0, 24, 0},          {nearestFiveMinutes, 23, 58, 30.5, 24, 0},
    };
    for (const Case& c : cases) {
        const Date result = c.round(berlin(2024, 1, 15, c.hour, c.minute, c.second));
        EXPECT_EQ(result, berlin(2024, 1, 15, c.expectedHour, c.expectedMinute))
            << c.hour << ":" << c.minute << ":" << c.second;
    }
    // 23:58 on New Year's Eve carries into the next year.
    EXPECT_EQ(nearestFiveMinutes(berlin(2023, 12, 31, 23, 58)), berlin(2024, 1, 1));
    // In the first pass of the repeated hour, 02:58 rounds to the 03:00 an elapsed two minutes
    // later, not to the 03:00 of the second pass an hour on.
    const Date firstPass = berlin(2024, 10, 27, 2, 58, 0, true);
    EXPECT_EQ(nearestFiveMinutes(firstPass), firstPass.addingTimeInterval(120));
}

TEST_F(Periods, AddingClampsAndSteppingKeepsTheWallClock) {
    EXPECT_EQ(adding(berlin(2024, 1, 31, 12), Component::month, 1), berlin(2024, 2, 29, 12));
    EXPECT_EQ(adding(berlin(2023, 1, 31, 12), Component::month, 1), berlin(2023, 2, 28, 12));
    EXPECT_EQ(adding(berlin(2024, 3, 31, 12, 0, 0, true), Component::month, -1), berlin(2024, 2, 29, 12));
    EXPECT_EQ(adding(berlin(2024, 2, 29, 12), Component::year, -1), berlin(2023, 2, 28, 12));
    EXPECT_EQ(adding(berlin(2024, 5, 15, 12, 0, 0, true), Component::weekOfYear, 2),
              berlin(2024, 5, 29, 12, 0, 0, true));
    // The spring-forward day is 23 hours long: a day on is the same wall time, an hour less later.
    const Date saturday = berlin(2024, 3, 30, 12);
    EXPECT_EQ(tomorrow(saturday), berlin(2024, 3, 31, 12, 0, 0, true));
    EXPECT_EQ(yesterday(berlin(2024, 3, 31, 12, 0, 0, true)), saturday);
    EXPECT_EQ(adding(saturday, Component::hour, 24), berlin(2024, 3, 31, 13, 0, 0, true));
    // Beyond the calendar's range the date stays.
    Date d = saturday;
    add(d, Component::year, std::int64_t{1} << 40);
    EXPECT_EQ(d, saturday);
    add(d, Component::day, 2);
    EXPECT_EQ(d, berlin(2024, 4, 1, 12, 0, 0, true));
}

TEST_F(Periods, StartAndEndOfPeriods) {
    const Date d = berlin(2024, 5, 15, 14, 23, 5.75, true);  // a Wednesday
    struct Case {
        Component c;
        std::optional<Date> start, end;
    };
    const Case cases[] = {
        {Component::year, berlin(2024, 1, 1), berlin(2024, 12, 31, 23, 59, 59)},
        {Component::month, berlin(2024, 5, 1, 0, 0, 0, true), berlin(2024, 5, 31, 23, 59, 59, true)},
        {Component::weekOfYear, berlin(2024, 5, 12, 0, 0, 0, true), berlin(2024, 5, 18, 23, 59, 59, true)},
        {Component::weekOfMonth, berlin(2024, 5, 12, 0, 0, 0, true), berlin(2024, 5, 18, 23, 59, 59, true)},
        {Component::day, berlin(2024, 5, 15, 0, 0, 0, true), berlin(2024, 5, 15, 23, 59, 59, true)},
        {Component::hour, berlin(2024, 5, 15, 14, 0, 0, true), berlin(2024, 5, 15, 14, 59, 59, true)},
        {Component::minute, berlin(2024, 5, 15, 14, 23, 0, true), berlin(2024, 5, 15, 14, 23, 59, true)},
        {Component::second, berlin(2024, 5, 15, 14, 23, 5, true), berlin(2024, 5, 15, 14, 23, 5, true)},
        {Component::weekday, std::nullopt, std::nullopt},
        {Component::nanosecond, std::nullopt, std::nullopt},
        {Component::quarter, std::nullopt, std::nullopt},
        {Component::era, std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(startOf(d, c.c), c.start) << static_cast<int>(c.c);
        EXPECT_EQ(endOf(d, c.c), c.end) << static_cast<int>(c.c);
    }
    // The month of 31 January ends on 31 January, although a month later is 29 February.
    EXPECT_EQ(endOf(berlin(2024, 1, 31, 9), Component::month), berlin(2024, 1, 31, 23, 59, 59));
    // A week that holds New Year starts in the old year.
    EXPECT_EQ(startOf(berlin(2021, 1, 1, 9), Component::weekOfYear), berlin(2020, 12, 27));
    // Days that a daylight-saving change shortens, lengthens or starts late.
    EXPECT_EQ(endOf(berlin(2024, 3, 31, 1), Component::day), berlin(2024, 3, 31, 23, 59, 59, true));
    EXPECT_EQ(startOf(berlin(2024, 10, 27, 23), Component::day), berlin(2024, 10, 27, 0, 0, 0, true));
    // The start of the repeated hour's first pass is that pass's 02:00, before the date.
    EXPECT_EQ(startOf(berlin(2024, 10, 27, 2, 40, 0, true), Component::hour),
              berlin(2024, 10, 27, 2, 0, 0, true));
    use("en_US", "America/Sao_Paulo");
    EXPECT_EQ(startOf(utc(2018, 11, 4, 15), Component::day), utc(2018, 11, 4, 3));
    EXPECT_EQ(endOf(utc(2018, 11, 3, 15), Component::day), utc(2018, 11, 4, 2, 59, 59));
}

}  // namespace
}  // namespace dates
