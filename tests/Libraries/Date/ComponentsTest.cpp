#include "Libraries/Date/Components.h"

#include <functional>

#include "DateFixture.h"

namespace dates {
namespace {

using datetest::berlin;
using datetest::utc;
using foundation::TimeZone;

class Components : public datetest::DateTest {};

std::optional<Calendar> gregorian() {
    return Calendar::withIdentifier("gregorian");
}

TEST_F(Components, FromComponentsFollowsTheZoneRules) {
    const auto gmt = TimeZone::fromAbbreviation("GMT");
    // The reference moment: 2024-02-29 10:30 GMT is Unix time 1709202600.
    EXPECT_EQ(fromComponents(gregorian(), gmt, 1, 2024, 2, 29, 10, 30, 0, 0), Date{1709202600});
    EXPECT_EQ(fromComponents(std::nullopt, gmt, 1, 2024, 2, 29, 10, 30, 0, 0), std::nullopt);
    // Without a zone the calendar's own (Berlin, CET) applies.
    EXPECT_EQ(fromComponents(gregorian(), std::nullopt, 1, 2024, 2, 29, 10, 30, 0, 0),
              Date{1709202600 - 3600});

    struct Case {
        const char* what;
        std::int64_t year, month, day, hour, minute;
        Date expected;
    };
    const Case cases[] = {
        {"spring gap: 02:30 does not exist, same distance past the change", 2024, 3, 31, 2, 30,
         berlin(2024, 3, 31, 3, 30, 0, true)},
        {"autumn repeat: 02:30 is its first occurrence, still summer time", 2024, 10, 27, 2, 30,
         berlin(2024, 10, 27, 2, 30, 0, true)},
        {"after the repeat", 2024, 10, 27, 3, 30, berlin(2024, 10, 27, 3, 30)},
        {"1900 is no leap year: 29 February carries into March", 1900, 2, 29, 12, 0, berlin(1900, 3, 1, 12)},
        {"2000 is a leap year", 2000, 2, 29, 12, 0, berlin(2000, 2, 29, 12)},
        {"month 13 and hour -1 carry", 2023, 13, 1, -1, 0, berlin(2023, 12, 31, 23)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fromComponents(gregorian(), std::nullopt, std::nullopt, c.year, c.month, c.day, c.hour,
                                 c.minute, 0, 0),
                  c.expected)
            << c.what;
    }
    // Values beyond what a calendar can hold give no date rather than a wrapped one.
    EXPECT_EQ(fromComponents(gregorian(), gmt, 1, std::int64_t{1} << 40, 1, 1, 0, 0, 0, 0), std::nullopt);
    EXPECT_EQ(fromComponents(gregorian(), gmt, 1, 2024, 1, 1, 0, 0, 0, INT64_MAX), std::nullopt);
}

TEST_F(Components, AJobStartRebuiltFromItsFieldsIsTheMomentItWasRead) {
    // Read once, as a job's start is, then rebuilt in the user's calendar and zone.
    const auto rebuilt = [](Date now) {
        const auto f = libraryCalendar().dateComponents(
            {Component::era, Component::year, Component::month, Component::day, Component::hour,
             Component::minute, Component::second, Component::nanosecond},
            now);
        return fromComponents(Calendar::current(), TimeZone::defaultZone(), f.era, f.year, f.month, f.day,
                              f.hour, f.minute, f.second, f.nanosecond);
    };
    const Date moments[] = {berlin(2024, 5, 15, 14, 23, 5.123456, true), berlin(2023, 12, 31, 23, 59, 59.999),
                            berlin(2024, 10, 27, 2, 30, 0.5, true), Date::now()};
    for (const Date& now : moments) {
        const auto again = rebuilt(now);
        ASSERT_TRUE(again) << now.secondsSince1970;
        EXPECT_NEAR(again->secondsSince1970, now.secondsSince1970, 1e-6) << now.secondsSince1970;
    }
    EXPECT_EQ(Calendar::withIdentifier("no-such-calendar"), std::nullopt);
    EXPECT_FALSE(foundation::setDefaultTimeZone("Mars/Olympus_Mons"));
    EXPECT_EQ(TimeZone::defaultZone().identifier(), "Europe/Berlin");
}

TEST_F(Components, SaoPauloMidnightThatDoesNotExist) {
    use("en_US", "America/Sao_Paulo");
    // Clocks jumped from 00:00 to 01:00 on 4 November 2018: the day starts at 01:00 (-02:00).
    EXPECT_EQ(libraryCalendar().startOfDay(utc(2018, 11, 4, 15)), utc(2018, 11, 4, 3));
    EXPECT_EQ(fromComponents(libraryCalendar(), std::nullopt, 1, 2018, 11, 4, 0, 0, 0, 0),
              utc(2018, 11, 4, 3));
}

TEST_F(Components, WeekNumbersAroundNewYear) {
    const auto iso = Calendar::withIdentifier("iso8601");
    ASSERT_TRUE(iso);
    struct Case {
        Date date;
        std::int64_t usWeek, usYear, isoWeek, isoYear;
    };
    const Case cases[] = {
        {berlin(2021, 1, 1, 12), 1, 2021, 53, 2020},    // a Friday
        {berlin(2021, 1, 4, 12), 2, 2021, 1, 2021},     // the Monday after
        {berlin(2020, 12, 31, 12), 1, 2021, 53, 2020},  // US week 1 of 2021 already holds it
        {berlin(2027, 1, 1, 12), 1, 2027, 53, 2026},    // a Friday again
        {berlin(2024, 12, 31, 12), 1, 2025, 1, 2025},   // a Tuesday
    };
    for (const Case& c : cases) {
        EXPECT_EQ(weekOfYear(c.date), c.usWeek) << c.date.secondsSince1970;
        EXPECT_EQ(component(c.date, Component::yearForWeekOfYear), c.usYear) << c.date.secondsSince1970;
        EXPECT_EQ(iso->component(Component::weekOfYear, c.date), c.isoWeek) << c.date.secondsSince1970;
        EXPECT_EQ(iso->component(Component::yearForWeekOfYear, c.date), c.isoYear) << c.date.secondsSince1970;
    }
}

TEST_F(Components, GettersAndQuarters) {
    const Date d = berlin(2024, 5, 15, 14, 23, 5.25, true);  // a Wednesday
    EXPECT_EQ(era(d), 1);
    EXPECT_EQ(year(d), 2024);
    EXPECT_EQ(month(d), 5);
    EXPECT_EQ(day(d), 15);
    EXPECT_EQ(hour(d), 14);
    EXPECT_EQ(minute(d), 23);
    EXPECT_EQ(second(d), 5);
    EXPECT_EQ(millisecond(d), 250);
    EXPECT_EQ(weekday(d), 4);
    EXPECT_EQ(weekOfMonth(d), 3);
    const std::int64_t quarters[] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4};
    for (unsigned m = 1; m <= 12; ++m) EXPECT_EQ(quarter(berlin(2024, m, 10, 12)), quarters[m - 1]) << m;
}

TEST_F(Components, SettersMoveOrLeaveTheDate) {
    using Setter = std::function<void(Date&, std::int64_t)>;
    struct Case {
        const char* what;
        Date start;
        Setter set;
        std::int64_t value;
        Date expected;
    };
    const Date may15 = berlin(2024, 5, 15, 10, 20, 30, true);
    const Date jan31 = berlin(2023, 1, 31, 9);
    const Date apr30 = berlin(2024, 4, 30, 9, 0, 0, true);
    const Date leapDay = berlin(2024, 2, 29, 9);
    const Case cases[] = {
        {"month 2", may15, setMonth, 2, berlin(2024, 2, 15, 10, 20, 30)},
        {"month 13", may15, setMonth, 13, may15},
        {"month 0", may15, setMonth, 0, may15},
        {"month 2 on 31 January clamps", jan31, setMonth, 2, berlin(2023, 2, 28, 9)},
        {"day 31 in April", apr30, setDay, 31, apr30},
        {"day 1 in April", apr30, setDay, 1, berlin(2024, 4, 1, 9, 0, 0, true)},
        {"year 0", may15, setYear, 0, may15},
        {"year -5", may15, setYear, -5, may15},
        {"year 2023 on 29 February", leapDay, setYear, 2023, berlin(2023, 2, 28, 9)},
        {"year far beyond the calendar", may15, setYear, std::int64_t{1} << 40, may15},
        {"hour 24", may15, setHour, 24, may15},
        {"hour 0", may15, setHour, 0, berlin(2024, 5, 15, 0, 20, 30, true)},
        {"minute 60", may15, setMinute, 60, may15},
        {"minute 59", may15, setMinute, 59, berlin(2024, 5, 15, 10, 59, 30, true)},
        {"second 60", may15, setSecond, 60, may15},
        {"second 0", may15, setSecond, 0, berlin(2024, 5, 15, 10, 20, 0, true)},
        {"millisecond 1000", may15, setMillisecond, 1000, may15},
        {"millisecond -1", may15, setMillisecond, -1, may15},
        {"millisecond beyond 64 bits when scaled", may15, setMillisecond, INT64_MAX / 1000, may15},
        {"nanosecond 1e9", may15, setNanosecond, 1'000'000'000, may15},
    };
    for (const Case& c : cases) {
        Date d = c.start;
        c.set(d, c.value);
        EXPECT_EQ(d, c.expected) << c.what;
    }

    // The millisecond changes the fraction of the same second, whatever it was before.
    Date d = berlin(2024, 5, 15, 10, 0, 0.5, true);
    setMillisecond(d, 250);
    EXPECT_NEAR(d.secondsSince1970, berlin(2024, 5, 15, 10, 0, 0.25, true).secondsSince1970, 1e-6);
    setMillisecond(d, 999);
    EXPECT_EQ(millisecond(d), 999);
    EXPECT_EQ(second(d), 0);
    EXPECT_NEAR(static_cast<double>(nanosecond(d)), 999e6, 300);
}

TEST_F(Components, ChangingReturnsACopyOrNothing) {
    const Date d = berlin(2024, 5, 15, 10, 20, 30, true);  // a Wednesday
    EXPECT_EQ(changing(d, Component::month, 13), std::nullopt);
    EXPECT_EQ(changing(d, Component::year, 0), std::nullopt);
    EXPECT_EQ(changing(d, Component::hour, 5), berlin(2024, 5, 15, 5, 20, 30, true));
    EXPECT_EQ(changing(d, Component::day, 14), berlin(2024, 5, 14, 10, 20, 30, true));
    // Setting a weekday moves to the start of the next such day; the same weekday keeps the date.
    EXPECT_EQ(changing(d, Component::weekday, 2), berlin(2024, 5, 20, 0, 0, 0, true));
    EXPECT_EQ(changing(d, Component::weekday, 4), d);
    EXPECT_EQ(changing(d, Component::weekday, 8), std::nullopt);
    EXPECT_EQ(changing(d, Component::era, 0), std::nullopt);
    EXPECT_EQ(d, berlin(2024, 5, 15, 10, 20, 30, true));
}

TEST_F(Components, ABuddhistUserKeepsBuddhistYears) {
    use("th_TH", "Asia/Bangkok");
    ASSERT_EQ(libraryCalendar().identifier(), "buddhist");
    Date d = datetest::wall(2024, 5, 15, 12, 0, 0, 7);
    EXPECT_EQ(year(d), 2567);
    EXPECT_EQ(month(d), 5);
    setYear(d, 2568);
    EXPECT_EQ(d, datetest::wall(2025, 5, 15, 12, 0, 0, 7));
    EXPECT_EQ(fromComponents(libraryCalendar(), std::nullopt, std::nullopt, 2567, 2, 29, 12, 0, 0, 0),
              datetest::wall(2024, 2, 29, 12, 0, 0, 7));
}

}  // namespace
}  // namespace dates
