#include "Libraries/Date/Builders.h"

#include <cmath>

#include "DateFixture.h"
#include "Libraries/Date/Weekdays.h"

namespace dates {
namespace {

using datetest::berlin;
using datetest::utc;

class Builders : public datetest::DateTest {};

TEST_F(Builders, MonthBoundariesAndCells) {
    EXPECT_EQ(startOfMonth(berlin(2023, 3, 15, 10)), berlin(2023, 3, 1, 13));
    EXPECT_EQ(endOfMonth(berlin(2023, 3, 15, 10)), berlin(2023, 3, 31, 23, 0, 0, true));
    EXPECT_EQ(endOfMonth(berlin(2023, 12, 10, 10)), berlin(2023, 12, 31, 23));
    EXPECT_EQ(startOfCurrentMonth(berlin(2024, 2, 29, 23, 59)), berlin(2024, 2, 1, 13));
    EXPECT_EQ(endOfCurrentMonth(berlin(2024, 2, 1)), berlin(2024, 2, 29, 23));

    struct Month {
        Date date;
        std::size_t days;
        Date last;
    };
    const Month months[] = {
        {berlin(2024, 2, 10), 29, berlin(2024, 2, 29, 13)},
        {berlin(2023, 2, 10), 28, berlin(2023, 2, 28, 13)},
        {berlin(2024, 4, 10, 12, 0, 0, true), 30, berlin(2024, 4, 30, 13, 0, 0, true)},
        {berlin(2024, 3, 31, 23, 0, 0, true), 31, berlin(2024, 3, 31, 13, 0, 0, true)},  // crosses the change
    };
    for (const Month& m : months) {
        const auto cells = monthCells(m.date);
        ASSERT_EQ(cells.size(), m.days) << m.date.secondsSince1970;
        EXPECT_EQ(cells.front().date, startOfMonth(m.date));
        EXPECT_EQ(cells.back().date, m.last);
        for (std::size_t i = 0; i < cells.size(); ++i)
            EXPECT_EQ(day(cells[i].date), static_cast<std::int64_t>(i + 1));
    }

    const std::pair<Date, std::int64_t> lengths[] = {{berlin(2023, 2, 1), 28},
                                                     {berlin(1900, 2, 1), 28},
                                                     {berlin(2000, 2, 1), 29},
                                                     {berlin(2024, 2, 1), 29},
                                                     {berlin(2024, 4, 9, 0, 0, 0, true), 30},
                                                     {berlin(2024, 1, 9), 31}};
    for (const auto& [date, days] : lengths)
        EXPECT_EQ(numberOfDaysInMonth(date), days) << date.secondsSince1970;
}

TEST_F(Builders, AddingCarriesWithoutClamping) {
    struct Case {
        const char* what;
        Date result, expected;
    };
    const Case cases[] = {
        {"31 January + 1 month is 3 March", addingMonths(berlin(2023, 1, 31, 12), 1), berlin(2023, 3, 3, 12)},
        {"1 March - 1 day in a leap year", subtractingDays(berlin(2024, 3, 1, 8, 30, 15), 1),
         berlin(2024, 2, 29, 8, 30, 15)},
        {"seconds carry into the minute", addingSeconds(berlin(2023, 5, 10, 14, 20, 45, true), 30),
         berlin(2023, 5, 10, 14, 21, 15, true)},
        {"the fraction is dropped", addingYears(berlin(2023, 5, 10, 14, 20, 45.75, true), 0),
         berlin(2023, 5, 10, 14, 20, 45, true)},
        {"29 February + 1 year carries", addingYears(berlin(2024, 2, 29, 12), 1), berlin(2025, 3, 1, 12)},
        {"month 0 is December", subtractingMonths(berlin(2024, 1, 15, 12), 1), berlin(2023, 12, 15, 12)},
        {"hours keep the wall clock", addingHours(berlin(2024, 3, 30, 23), 3),
         berlin(2024, 3, 31, 3, 0, 0, true)},
        {"minutes", subtractingMinutes(berlin(2024, 1, 1, 0, 10), 20), berlin(2023, 12, 31, 23, 50)},
        {"beyond 64 bits the date stays", addingDays(berlin(2024, 1, 1), INT64_MAX), berlin(2024, 1, 1)},
        {"beyond the calendar the date stays", subtractingYears(berlin(2024, 1, 1), INT64_MIN),
         berlin(2024, 1, 1)},
    };
    for (const Case& c : cases) EXPECT_EQ(c.result, c.expected) << c.what;
}

TEST_F(Builders, WeeksAroundNewYearFollowTheLocale) {
    struct Case {
        const char* locale;
        Date date, start, last, end;
    };
    const Case cases[] = {
        // Friday 1 January 2021: the US week started on Sunday 27 December, the German on Monday 28.
        {"en_US", berlin(2021, 1, 1, 9), berlin(2020, 12, 27), berlin(2021, 1, 2),
         berlin(2021, 1, 2, 23, 59, 59)},
        {"de_DE", berlin(2021, 1, 1, 9), berlin(2020, 12, 28), berlin(2021, 1, 3),
         berlin(2021, 1, 3, 23, 59, 59)},
        {"en_US", berlin(2027, 1, 1, 9), berlin(2026, 12, 27), berlin(2027, 1, 2),
         berlin(2027, 1, 2, 23, 59, 59)},
        {"de_DE", berlin(2027, 1, 1, 9), berlin(2026, 12, 28), berlin(2027, 1, 3),
         berlin(2027, 1, 3, 23, 59, 59)},
        {"en_US", berlin(2024, 12, 31, 9), berlin(2024, 12, 29), berlin(2025, 1, 4),
         berlin(2025, 1, 4, 23, 59, 59)},
        {"de_DE", berlin(2024, 12, 31, 9), berlin(2024, 12, 30), berlin(2025, 1, 5),
         berlin(2025, 1, 5, 23, 59, 59)},
    };
    for (const Case& c : cases) {
        use(c.locale, "Europe/Berlin");
        EXPECT_EQ(startOfWeek(c.date), c.start) << c.locale << " " << c.date.secondsSince1970;
        EXPECT_EQ(lastDayOfWeek(c.date), c.last) << c.locale << " " << c.date.secondsSince1970;
        EXPECT_EQ(endOfWeek(c.date), c.end) << c.locale << " " << c.date.secondsSince1970;
    }
    use("en_US", "Europe/Berlin");
    EXPECT_EQ(dateOfWeekday(berlin(2021, 1, 1, 9), 4), berlin(2020, 12, 30));   // Wednesday
    EXPECT_EQ(dateOfWeekday(berlin(2021, 1, 1, 9), 11), berlin(2020, 12, 30));  // wraps within the week
    use("de_DE", "Europe/Berlin");
    EXPECT_EQ(dateOfWeekday(berlin(2021, 1, 1, 9), 1), berlin(2021, 1, 3));  // Sunday ends a German week
}

TEST_F(Builders, DaysAndYearsAtTimesOfDay) {
    const Date d = berlin(2023, 7, 4, 15, 42, 7.5, true);
    EXPECT_EQ(startOfDay(d), berlin(2023, 7, 4, 0, 0, 0, true));
    EXPECT_EQ(endOfDay(d), berlin(2023, 7, 4, 23, 59, 59, true));
    EXPECT_EQ(atTime(d, 10, 30), berlin(2023, 7, 4, 10, 30, 30, true)) << "the minute is the second too";
    EXPECT_EQ(at(d, 10, 30, 15), berlin(2023, 7, 4, 10, 30, 15, true));
    EXPECT_EQ(lastDayOfWeek(d, 18, 30), berlin(2023, 7, 8, 18, 30, 30, true));
    EXPECT_EQ(firstDayOfMonth(d), berlin(2023, 7, 1, 0, 0, 0, true));
    EXPECT_EQ(lastDayOfMonth(d), berlin(2023, 7, 31, 0, 0, 0, true));
    EXPECT_EQ(lastDayOfMonth(berlin(2024, 2, 10)), berlin(2024, 2, 29));
    EXPECT_EQ(startOfYear(d), berlin(2023, 1, 1));
    EXPECT_EQ(endOfYear(d), berlin(2023, 12, 31, 23, 59, 59));
    EXPECT_EQ(dayOfYear(d, 2, 30, 8, 15), berlin(2023, 3, 2, 8, 15, 15));
    // The spring-forward day: 02:30 does not exist and reads as 03:30.
    EXPECT_EQ(atTime(berlin(2024, 3, 31, 12, 0, 0, true), 2, 30), berlin(2024, 3, 31, 3, 30, 30, true));
    use("en_US", "America/Sao_Paulo");
    EXPECT_EQ(startOfDay(utc(2018, 11, 4, 15)), utc(2018, 11, 4, 3));
}

TEST_F(Builders, WholeUnitCountsTruncate) {
    const Date ten = berlin(2024, 5, 15, 10, 0, 0, true);
    EXPECT_EQ(hoursFrom(berlin(2024, 5, 15, 10, 59, 59, true), ten), 0);
    EXPECT_EQ(hoursFrom(berlin(2024, 5, 15, 9, 0, 0, true), berlin(2024, 5, 15, 10, 30, 0, true)), -1);
    EXPECT_EQ(hoursTo(berlin(2024, 5, 15, 9, 0, 0, true), berlin(2024, 5, 15, 10, 30, 0, true)), 1);
    EXPECT_EQ(secondsFrom(ten.addingTimeInterval(1.9), ten), 1);
    EXPECT_EQ(secondsTo(ten.addingTimeInterval(1.9), ten), -1);
    EXPECT_EQ(minutesFrom(ten.addingTimeInterval(-119), ten), -1);
    EXPECT_EQ(minutesTo(ten, ten.addingTimeInterval(3600)), 60);
    EXPECT_EQ(daysFrom(ten.addingTimeInterval(86400 * 2.5), ten), 2);
    EXPECT_EQ(daysTo(ten.addingTimeInterval(86400 * 2.5), ten), -2);
    EXPECT_EQ(secondsFrom(Date{NAN}, ten), 0);
}

TEST_F(Builders, ABuddhistUserStaysInTheirCalendar) {
    use("th_TH", "Asia/Bangkok");
    const Date d = datetest::wall(2024, 1, 31, 12, 0, 0, 7);
    EXPECT_EQ(addingDays(d, 1), datetest::wall(2024, 2, 1, 12, 0, 0, 7));
    EXPECT_EQ(addingMonths(d, 1), datetest::wall(2024, 3, 2, 12, 0, 0, 7));
    EXPECT_EQ(startOfMonth(d), datetest::wall(2024, 1, 1, 13, 0, 0, 7));
    EXPECT_EQ(monthCells(d).size(), 31u);
    EXPECT_EQ(startOfYear(d), datetest::wall(2024, 1, 1, 0, 0, 0, 7));
    EXPECT_TRUE(isSameDay(d, datetest::wall(2024, 1, 31, 0, 0, 0, 7)));
}

TEST_F(Builders, WeekdaysAndDayTests) {
    const Date sunday = berlin(2023, 1, 1, 12), saturday = berlin(2024, 5, 18, 12, 0, 0, true);
    const std::pair<Date, std::int64_t> indices[] = {
        {sunday, 0}, {berlin(2024, 2, 29, 12), 4}, {berlin(2024, 5, 15, 12, 0, 0, true), 3}, {saturday, 6}};
    for (const auto& [date, index] : indices) EXPECT_EQ(weekdayIndex(date), index) << date.secondsSince1970;
    using Test = bool (*)(Date);
    const Test tests[] = {isSunday, isMonday, isTuesday, isWednesday, isThursday, isFriday, isSaturday};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(tests[i](sunday), i == 0) << i;
        EXPECT_EQ(tests[i](saturday), i == 6) << i;
    }
    EXPECT_EQ(weekdayName(sunday), "Sunday");
    EXPECT_EQ(shortWeekdayName(sunday), "Sun");
    const std::pair<std::int64_t, const char*> names[] = {
        {0, "Sun"}, {6, "Sat"}, {-1, ""}, {7, ""}, {INT64_MIN, ""}};
    for (const auto& [index, name] : names) EXPECT_EQ(shortWeekdayName(index), name) << index;
    EXPECT_EQ(weekFromRawValue(3), Week::wednesDay);
    EXPECT_EQ(weekFromRawValue(7), std::nullopt);
    EXPECT_EQ(weekFromRawValue(-1), std::nullopt);

    const Date now = berlin(2024, 5, 15, 12, 0, 0, true);
    EXPECT_TRUE(isBeforeToday(berlin(2024, 5, 14, 23, 59, 59, true), now));
    EXPECT_FALSE(isBeforeToday(berlin(2024, 5, 15, 0, 0, 0, true), now));
    EXPECT_FALSE(isBeforeToday(berlin(2024, 6, 1, 0, 0, 0, true), now));
    EXPECT_TRUE(isSameDay(berlin(2024, 5, 15, 0, 0, 0, true), berlin(2024, 5, 15, 23, 59, 59, true)));
    EXPECT_FALSE(isSameDay(berlin(2024, 5, 15, 23, 59, 59, true), berlin(2024, 5, 16, 0, 0, 0, true)));
    use("de_DE", "Europe/Berlin");
    EXPECT_EQ(weekdayName(saturday), "Samstag");
    use("ja_JP@calendar=japanese", "Asia/Tokyo");
    // The same day number of two eras (Showa 1 and Heisei 1) is not the same day.
    EXPECT_FALSE(
        isSameDay(datetest::wall(1926, 12, 25, 12, 0, 0, 9), datetest::wall(1989, 12, 25, 12, 0, 0, 9)));
}

}  // namespace
}  // namespace dates
