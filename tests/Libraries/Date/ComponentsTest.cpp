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
    // A date of today holds its fraction only to about 0.2 microseconds (7 ms is stored as
    // 6.999969 ms), yet every millisecond set reads back as itself.
    for (const std::int64_t ms : {1, 7, 123, 501, 999}) {
        setMillisecond(d, ms);
        EXPECT_EQ(millisecond(d), ms);
    }
    EXPECT_EQ(second(d), 0);
    EXPECT_NEAR(static_cast<double>(nanosecond(d)), 999e6, 300);
}

TEST_F(Components, ChangingAnyFieldGivesTheNextMatchingDateInBothCalendars) {
    // Wednesday 15 May 2024, 10:20:30 in Berlin: week 20 of the year (weeks start on Sunday, week 1
    // holds 1 January), week 3 and the third Wednesday of May, quarter 2.
    const Date d = berlin(2024, 5, 15, 10, 20, 30, true);
    struct Case {
        Component c;
        std::int64_t value;  // year-like values are counted from the date's own ones
        std::optional<Date> expected;
    };
    // Eras, years and week-years are counted from the date's own (Buddhist years are 543 ahead).
    const std::int64_t year0 = 0, era0 = 0, weekYear0 = 0;
    const Case cases[] = {
        {Component::era, era0, d},
        {Component::era, era0 + 1, std::nullopt},  // no later era
        {Component::era, era0 - 1, std::nullopt},  // an era gone by never comes back
        {Component::year, year0 + 1, berlin(2025, 5, 15, 10, 20, 30, true)},
        {Component::month, 2, berlin(2024, 2, 15, 10, 20, 30)},
        {Component::month, 13, std::nullopt},
        {Component::day, 31, berlin(2024, 5, 31, 10, 20, 30, true)},
        {Component::hour, 5, berlin(2024, 5, 15, 5, 20, 30, true)},
        {Component::minute, 0, berlin(2024, 5, 15, 10, 0, 30, true)},
        {Component::second, 59, berlin(2024, 5, 15, 10, 20, 59, true)},
        {Component::nanosecond, 500'000'000, berlin(2024, 5, 15, 10, 20, 30.5, true)},
        {Component::weekday, 4, d},
        {Component::weekday, 2, berlin(2024, 5, 20, 0, 0, 0, true)},  // the next Monday
        {Component::weekday, 8, std::nullopt},
        {Component::weekOfYear, 20, d},
        {Component::weekOfYear, 21, berlin(2024, 5, 19, 0, 0, 0, true)},
        {Component::weekOfYear, 1, berlin(2024, 12, 29)},  // week 1 of 2025 starts in December
        {Component::weekOfYear, 19, berlin(2025, 5, 4, 0, 0, 0, true)},
        {Component::weekOfYear, 53, berlin(2028, 12, 24)},  // the next year with a 53rd week
        {Component::weekOfYear, 54, std::nullopt},
        {Component::weekOfMonth, 4, berlin(2024, 5, 19, 0, 0, 0, true)},
        {Component::weekOfMonth, 1, berlin(2024, 6, 1, 0, 0, 0, true)},
        {Component::weekOfMonth, 6, berlin(2024, 6, 30, 0, 0, 0, true)},  // 30 June is a Sunday
        {Component::weekOfMonth, 0, std::nullopt},                        // every month starts in week 1 here
        {Component::weekdayOrdinal, 4, berlin(2024, 5, 22, 0, 0, 0, true)},
        {Component::weekdayOrdinal, 5, berlin(2024, 5, 29, 0, 0, 0, true)},
        {Component::weekdayOrdinal, 1, berlin(2024, 6, 1, 0, 0, 0, true)},
        {Component::weekdayOrdinal, 0, std::nullopt},
        {Component::weekdayOrdinal, 6, std::nullopt},
        {Component::quarter, 2, d},
        {Component::quarter, 3, berlin(2024, 7, 1, 0, 0, 0, true)},
        {Component::quarter, 1, berlin(2025, 1, 1)},
        {Component::quarter, 5, std::nullopt},
        {Component::yearForWeekOfYear, weekYear0, d},
        {Component::yearForWeekOfYear, weekYear0 + 1, berlin(2024, 12, 29)},
        {Component::yearForWeekOfYear, weekYear0 - 1, std::nullopt},
    };
    for (const char* locale : {"en_US", "th_TH"}) {
        use(locale, "Europe/Berlin");
        for (const Case& c : cases) {
            std::int64_t value = c.value;
            if (c.c == Component::era) value += era(d);
            if (c.c == Component::year) value += year(d);
            if (c.c == Component::yearForWeekOfYear) value += component(d, Component::yearForWeekOfYear);
            SCOPED_TRACE(std::string(locale) + " component " + std::to_string(static_cast<int>(c.c)) +
                         " to " + std::to_string(value));
            const auto result = changing(d, c.c, value);
            EXPECT_EQ(result, c.expected);
            if (result) {
                EXPECT_EQ(component(*result, c.c), value) << "the result has the value asked for";
            }
        }
    }
    EXPECT_EQ(d, berlin(2024, 5, 15, 10, 20, 30, true)) << "the receiver is never changed";
}

TEST_F(Components, ChangingAcrossDaylightSavingChanges) {
    struct Case {
        const char* zone;
        Date date;
        Component c;
        std::int64_t value;
        Date expected;
    };
    const Case cases[] = {
        // Berlin moves to summer time on 31 March 2024: the next quarter starts at CEST midnight.
        {"Europe/Berlin", berlin(2024, 3, 15, 12), Component::quarter, 2, berlin(2024, 4, 1, 0, 0, 0, true)},
        {"Europe/Berlin", berlin(2024, 3, 30, 12), Component::weekday, 1, berlin(2024, 3, 31)},
        {"Europe/Berlin", berlin(2024, 10, 20, 12, 0, 0, true), Component::weekOfYear, 44,
         berlin(2024, 10, 27, 0, 0, 0, true)},
        {"Europe/Berlin", berlin(2024, 10, 26, 12, 0, 0, true), Component::weekOfMonth, 5,
         berlin(2024, 10, 27, 0, 0, 0, true)},
        // São Paulo skipped midnight on 4 November 2018: that Sunday began at 01:00.
        {"America/Sao_Paulo", utc(2018, 11, 3, 15), Component::weekday, 1, utc(2018, 11, 4, 3)},
        {"America/Sao_Paulo", utc(2018, 11, 3, 15), Component::weekOfMonth, 2, utc(2018, 11, 4, 3)},
    };
    for (const Case& c : cases) {
        use("en_US", c.zone);
        SCOPED_TRACE(std::string(c.zone) + " component " + std::to_string(static_cast<int>(c.c)));
        EXPECT_EQ(changing(c.date, c.c, c.value), c.expected);
    }
}

TEST_F(Components, TheUsersWeekRulesDecideWhereWeeksStart) {
    // Wednesday 15 May 2024. German weeks start on Monday and a first week needs four days, so
    // 1 and 2 June 2024 (a weekend) are week 0 of June; US weeks start on Sunday and never have a week 0.
    const Date d = berlin(2024, 5, 15, 10, 20, 30, true);
    struct Case {
        Component c;
        std::int64_t value;
        std::optional<Date> us, german;
    };
    const Case cases[] = {
        {Component::weekOfYear, 21, berlin(2024, 5, 19, 0, 0, 0, true), berlin(2024, 5, 20, 0, 0, 0, true)},
        {Component::weekOfYear, 53, berlin(2028, 12, 24), berlin(2026, 12, 28)},
        {Component::yearForWeekOfYear, 2025, berlin(2024, 12, 29), berlin(2024, 12, 30)},
        {Component::weekOfMonth, 0, std::nullopt, berlin(2024, 6, 1, 0, 0, 0, true)},
        {Component::weekOfMonth, 1, berlin(2024, 6, 1, 0, 0, 0, true), berlin(2024, 6, 3, 0, 0, 0, true)},
        {Component::weekday, 1, berlin(2024, 5, 19, 0, 0, 0, true), berlin(2024, 5, 19, 0, 0, 0, true)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("component " + std::to_string(static_cast<int>(c.c)) + " to " + std::to_string(c.value));
        use("en_US", "Europe/Berlin");
        EXPECT_EQ(Calendar::current().dateBySetting(c.c, c.value, d), c.us);
        use("de_DE", "Europe/Berlin");
        EXPECT_EQ(Calendar::current().dateBySetting(c.c, c.value, d), c.german);
    }
    // Hours: a skipped hour is found on the next day, a repeated one at its first occurrence.
    use("en_US", "Europe/Berlin");
    const Calendar calendar = Calendar::current();
    EXPECT_EQ(calendar.dateBySetting(Component::hour, 2, berlin(2024, 3, 30, 12)),
              berlin(2024, 4, 1, 2, 0, 0, true));
    EXPECT_EQ(calendar.dateBySetting(Component::hour, 2, berlin(2024, 10, 27, 1, 30, 0, true)),
              berlin(2024, 10, 27, 2, 0, 0, true));
    EXPECT_EQ(calendar.dateBySetting(Component::minute, 5, berlin(2024, 5, 15, 10, 20, 30, true)),
              berlin(2024, 5, 15, 11, 5, 0, true));
    EXPECT_EQ(calendar.dateBySetting(Component::year, 2030, d), berlin(2030, 1, 1));
    EXPECT_EQ(calendar.dateBySetting(Component::year, 2020, d), std::nullopt);
    EXPECT_EQ(calendar.dateBySetting(Component::month, 3, d), berlin(2025, 3, 1));
    EXPECT_EQ(calendar.dateBySetting(Component::day, 31, berlin(2024, 6, 5, 12, 0, 0, true)),
              berlin(2024, 7, 31, 0, 0, 0, true));
}

TEST_F(Components, JapaneseErasStartWithinTheYear) {
    use("en_US", "Asia/Tokyo");
    const auto japanese = Calendar::withIdentifier("japanese");
    ASSERT_TRUE(japanese);
    const Date march2019 = datetest::wall(2019, 3, 1, 12, 0, 0, 9);  // Heisei 31
    const Date reiwaStart = datetest::wall(2019, 5, 1, 0, 0, 0, 9);
    const std::int64_t heisei = japanese->component(Component::era, march2019);
    EXPECT_EQ(japanese->component(Component::era, reiwaStart), heisei + 1);
    EXPECT_EQ(japanese->dateBySetting(Component::era, heisei + 1, march2019), reiwaStart);
    EXPECT_EQ(japanese->dateBySetting(Component::era, heisei - 1, march2019), std::nullopt);
    // Year 1 comes next with the new era, not in the era of the date.
    EXPECT_EQ(japanese->dateBySetting(Component::year, 1, march2019), reiwaStart);
    // Heisei ended in its 31st year: the next year 32 is Reiwa's, in 2050.
    EXPECT_EQ(japanese->dateBySetting(Component::year, 32, march2019),
              datetest::wall(2050, 1, 1, 0, 0, 0, 9));
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
