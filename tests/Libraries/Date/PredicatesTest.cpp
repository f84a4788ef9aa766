#include "Libraries/Date/Predicates.h"

#include <deque>
#include <random>

#include <cmath>

#include "DateFixture.h"
#include "Libraries/Date/RandomDates.h"

namespace dates {
namespace {

using datetest::berlin;

class Predicates : public datetest::DateTest {};

TEST_F(Predicates, AgainstAFixedNow) {
    const Date now = berlin(2024, 1, 1, 0, 0, 30);  // a Monday, just after New Year
    struct Case {
        const char* what;
        Date date;
        bool past, today, yesterday, tomorrow, week, month, year;
    };
    const Case cases[] = {
        {"one second ago", now.addingTimeInterval(-1), true, true, false, false, true, true, true},
        {"an hour ahead", now.addingTimeInterval(3600), false, true, false, false, true, true, true},
        {"1 January 00:00:00", berlin(2024, 1, 1), true, true, false, false, true, true, true},
        {"New Year's Eve 23:59:59", berlin(2023, 12, 31, 23, 59, 59), true, false, true, false, true, false,
         false},
        {"2 January 23:59:59", berlin(2024, 1, 2, 23, 59, 59), false, false, false, true, true, true, true},
        {"Saturday 6 January", berlin(2024, 1, 6, 12), false, false, false, false, true, true, true},
        {"Sunday 7 January starts a week", berlin(2024, 1, 7), false, false, false, false, false, true, true},
        {"30 December, before the week", berlin(2023, 12, 30, 23), true, false, false, false, false, false,
         false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isInPast(c.date, now), c.past) << c.what;
        EXPECT_EQ(isInFuture(c.date, now), !c.past) << c.what;
        EXPECT_EQ(isToday(c.date, now), c.today) << c.what;
        EXPECT_EQ(isYesterday(c.date, now), c.yesterday) << c.what;
        EXPECT_EQ(isTomorrow(c.date, now), c.tomorrow) << c.what;
        EXPECT_EQ(isInCurrentWeek(c.date, now), c.week) << c.what;
        EXPECT_EQ(isInCurrentMonth(c.date, now), c.month) << c.what;
        EXPECT_EQ(isInCurrentYear(c.date, now), c.year) << c.what;
    }
    for (unsigned d = 1; d <= 7; ++d) {
        const Date date = berlin(2024, 1, d, 12);  // Monday 1 to Sunday 7
        EXPECT_EQ(isWeekend(date), d >= 6) << d;
        EXPECT_EQ(isWeekday(date), d < 6) << d;
    }
}

TEST_F(Predicates, IntervalsAndDistances) {
    const Date a = berlin(2024, 5, 15, 10, 0, 0, true);
    EXPECT_DOUBLE_EQ(minutesSince(a.addingTimeInterval(90), a), 1.5);
    EXPECT_DOUBLE_EQ(daysSince(a.addingTimeInterval(36 * 3600), a), 1.5);
    EXPECT_DOUBLE_EQ(hoursSince(a, a.addingTimeInterval(5400)), -1.5);
    EXPECT_EQ(fromSecondsSince1970(secondsSince1970(a)), a);

    const Date b = a.addingTimeInterval(100);
    struct Between {
        Date date;
        bool strict, inclusive;
    };
    const Between betweens[] = {{a, false, true},
                                {b, false, true},
                                {a.addingTimeInterval(50), true, true},
                                {a.addingTimeInterval(-1), false, false}};
    for (const Between& c : betweens) {
        for (const bool swapped : {false, true}) {
            const Date lo = swapped ? b : a, hi = swapped ? a : b;
            EXPECT_EQ(isBetween(c.date, lo, hi, false), c.strict)
                << c.date.secondsSince1970 - a.secondsSince1970;
            EXPECT_EQ(isBetween(c.date, lo, hi, true), c.inclusive)
                << c.date.secondsSince1970 - a.secondsSince1970;
        }
    }
    EXPECT_FALSE(isBetween(Date{NAN}, a, b, true));

    struct Distance {
        std::uint64_t n;
        Component c;
        double seconds;
        bool within;
    };
    const Distance distances[] = {
        {1, Component::day, 47 * 3600, true},     {1, Component::day, 48 * 3600, false},
        {1, Component::day, -47 * 3600, true},    {0, Component::hour, -59 * 60, true},
        {0, Component::hour, -60 * 60, false},    {1, Component::month, 60 * 86400, true},
        {1, Component::month, 62 * 86400, false}, {UINT64_MAX, Component::second, 1e12, true},
    };
    for (const Distance& c : distances) {
        EXPECT_EQ(isWithinDistance(a, c.n, c.c, a.addingTimeInterval(c.seconds)), c.within) << c.seconds;
    }
}

TEST(RandomDates, StayInTheirRangeAndRepeatWithASeed) {
    const Date x{1'700'000'000.123};
    EXPECT_EQ(randomInClosedRange(x, x), x);
    EXPECT_EQ(randomInRange(x, x), std::nullopt);  // empty: no date, and no endless loop
    EXPECT_EQ(randomInRange(x, Date{x.secondsSince1970 - 1}), std::nullopt);
    EXPECT_EQ(randomInClosedRange(x, Date{INFINITY}), std::nullopt);

    const Date end = x.addingTimeInterval(1);
    std::mt19937_64 seeded(42);
    for (int i = 0; i < 100'000; ++i) {
        const auto d = randomInRange(x, end, seeded);
        ASSERT_TRUE(d && *d >= x && *d < end) << i;
    }
    std::mt19937_64 first(7), second(7);
    EXPECT_EQ(randomInClosedRange(x, end, first), randomInClosedRange(x, end, second));
    const auto system = randomInClosedRange(x, end);
    ASSERT_TRUE(system);
    EXPECT_TRUE(*system >= x && *system <= end);
}

TEST(RandomDates, ScriptedWordsPinTheDraw) {
    const Date lo{1'000'000}, hi{1'000'000 + 1024};  // the span and its halves are exact
    const auto scripted = [](std::deque<std::uint64_t> words) {
        return RandomWords([words]() mutable {
            const std::uint64_t w = words.front();
            words.pop_front();
            return w;
        });
    };
    // Half-open: the low 53 bits scale the span; the high bits are ignored.
    EXPECT_EQ(randomInRange(lo, hi, scripted({0})), lo);
    EXPECT_EQ(randomInRange(lo, hi, scripted({(std::uint64_t{1} << 52) | (std::uint64_t{0xFFF} << 53)})),
              Date{1'000'000 + 512});
    // Closed: k is the high word of w * (2^53 + 1); the largest word reaches the upper bound.
    EXPECT_EQ(randomInClosedRange(lo, hi, scripted({UINT64_MAX})), hi);
    EXPECT_EQ(randomInClosedRange(lo, hi, scripted({std::uint64_t{1} << 63})), Date{1'000'000 + 512});
    // A word whose low product falls under 2^64 mod (2^53 + 1) = 9007199254738945 is rejected and
    // the next word decides.
    EXPECT_EQ(randomInClosedRange(lo, hi, scripted({0, UINT64_MAX})), hi);
}

}  // namespace
}  // namespace dates
