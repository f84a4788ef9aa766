#include "Libraries/Date/DateTexts.h"

#include <cmath>

#include "DateFixture.h"
#include "Libraries/Date/Intervals.h"

namespace dates {
namespace {

using datetest::berlin;
using datetest::icuNeutral;
using datetest::utc;

class DateTexts : public datetest::DateTest {};

TEST_F(DateTexts, ElapsedText) {
    const Date now = berlin(2024, 5, 15, 12, 0, 0, true);
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {1.9, "1 seconds ago"},   {59, "59 seconds ago"},     {60, "1 minutes ago"},
        {3599, "59 minutes ago"}, {7200, "2 hours ago"},      {86400, "1 days ago"},
        {604800, "1 weeks ago"},  {-120, "-120 seconds ago"}, {1e30, "15250284452471 weeks ago"},
        {NAN, "0 seconds ago"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elapsedText(now.addingTimeInterval(-c.seconds), now), c.text) << c.seconds;
}

TEST_F(DateTexts, RelativeTextsAtTheirBandEdges) {
    const Date now = berlin(2024, 5, 15, 12, 0, 0, true);
    struct Case {
        double seconds;  // positive: the date lies that far in the past
        const char* shortText;
        const char* sinceText;
    };
    const Case cases[] = {
        {45, "just now", "just now"},
        {-59, "just now", "just now"},
        {89, "1 min ago", "Since 1 min"},
        {90, "2 min ago", "Since 2 min"},
        {-90, "in 2 min", "in 2 min"},
        {3569, "59 min ago", "Since 59 min"},
        {3570, "1 hr ago", "Since 1 hr"},
        {5369, "1 hr ago", "Since 1 hr"},
        {5370, "2 hr ago", "Since 2 hr"},
        {84569, "23 hr ago", "Since 23 hr"},
        {-84569, "in 23 hr", "in 23 hr"},
        {84570, nullptr, "Since 1 day"},
        {127769, nullptr, "Since 1 day"},
        {127770, nullptr, "Since 2 days"},
        {150 * 86400.0, nullptr, "Since 150 days"},
        {-150 * 86400.0, nullptr, "in 150 days"},
        {863954969, nullptr, "Since 9999 days"},
    };
    for (const Case& c : cases) {
        const Date date = now.addingTimeInterval(-c.seconds);
        if (c.shortText) {
            EXPECT_EQ(timeAgoShort(date, true, now), c.shortText) << c.seconds;
        }
        EXPECT_EQ(timeAgo(date, now), c.sinceText) << c.seconds;
    }
    // From a day on, the short form and (after 10,000 days) the long form show the date itself.
    EXPECT_EQ(timeAgoShort(berlin(2024, 5, 14, 9, 5, 0, true), false, now), "Yesterday");
    EXPECT_EQ(icuNeutral(timeAgoShort(berlin(2024, 5, 16, 23, 0, 0, true), true, now)), "Tomorrow, 11:00 PM");
    EXPECT_EQ(icuNeutral(timeAgoShort(berlin(2024, 5, 13, 9, 5, 0, true), true, now)),
              "May 13, 2024, 9:05 AM");
    EXPECT_EQ(timeAgo(now.addingTimeInterval(-863954970), now), "Dec 28, 1996");
}

TEST_F(DateTexts, TranslatedTextsGetTheCountWithoutBeingFormats) {
    const Date now = berlin(2024, 5, 15, 12, 0, 0, true);
    const foundation::StringTable german({{"just now", "gerade eben"},
                                          {"%.f min ago", "vor %.f Min. (%s %n %d)"},
                                          {"Since 1 day", "Seit einem Tag"},
                                          {"in %.f days", "in %.f Tagen"}});
    EXPECT_EQ(timeAgoShort(now, false, now, german), "gerade eben");
    EXPECT_EQ(timeAgoShort(now.addingTimeInterval(-300), false, now, german), "vor 5 Min. (%s %n %d)");
    EXPECT_EQ(timeAgo(now.addingTimeInterval(-86400), now, german), "Seit einem Tag");
    EXPECT_EQ(timeAgo(now.addingTimeInterval(3 * 86400), now, german), "in 3 Tagen");
    EXPECT_EQ(timeAgo(now.addingTimeInterval(-2 * 86400), now, german), "Since 2 days");  // no entry: English
}

TEST_F(DateTexts, PatternsAndZones) {
    const Date winter = utc(2024, 1, 15, 12), summer = utc(2024, 7, 15, 12);
    struct Case {
        const char* abbreviation;
        const char* winterText;
        const char* summerText;
    };
    const Case cases[] = {
        {"EST", "07:00", "08:00"},                             // New York, with daylight saving
        {"PDT", "04:00", "05:00"}, {"BST", "12:00", "13:00"},  // London, not Bangladesh
        {"GMT", "12:00", "12:00"}, {"UTC", "12:00", "12:00"}, {"CET", "13:00", "14:00"},
        {"JST", "21:00", "21:00"}, {"XYZ", "13:00", "14:00"},  // no such zone: the default (Berlin)
        {"", "13:00", "14:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(string(winter, "HH:mm", c.abbreviation), c.winterText) << c.abbreviation;
        EXPECT_EQ(string(summer, "HH:mm", c.abbreviation), c.summerText) << c.abbreviation;
    }
    EXPECT_EQ(icuNeutral(fullString(summer, "EST")),
              "Monday, July 15, 2024, 8:00:00 AM Eastern Daylight Time");
    EXPECT_EQ(localString(summer, "d MMM HH:mm"), "15 Jul 14:00");
    EXPECT_EQ(formatted(summer, "yyyyMMdd"), "20240715");
    EXPECT_EQ(stringFrom(summer, "yyyyMMdd"), "20240715");

    foundation::DateFormatter mine;
    mine.setTimeZone(foundation::TimeZone::gmt());
    EXPECT_EQ(string(summer, "HH:mm", mine), "12:00");
    EXPECT_EQ(mine.dateFormat(), "HH:mm");

    EXPECT_EQ(fromFormat("dd.MM.yyyy HH:mm", "15.07.2024 14:00"), summer);
    EXPECT_EQ(fromFormat("dd.MM.yyyy HH:mm", "31.04.2024 14:00"), std::nullopt);
    EXPECT_EQ(fromFormat("dd.MM.yyyy", "15.07.2024 and more"), std::nullopt);
}

TEST(Intervals, PartsAndDurationTexts) {
    struct Case {
        double seconds;
        const char* text;
    };
    const Case cases[] = {
        {0, "0s"},
        {12.0004, "12s"},
        {12.5, "12s 500ms"},
        {1.001, "1s"},  // stored as 1.000999...: no whole millisecond after truncation
        {75.25, "1m 15s"},
        {18061, "5h 1m 1s"},
        {90061, "1day"},
        {172800, "2days"},
        {2592000, "1month"},
        {7776000, "3months"},
        {-75.25, "-1m -15s"},
        {NAN, "0s"},
        {1e300, "9223372036854774784months"},
    };
    for (const Case& c : cases) EXPECT_EQ(interval::durationText(c.seconds), c.text) << c.seconds;

    EXPECT_DOUBLE_EQ(interval::milliseconds(1.23456), 234.6);
    EXPECT_EQ(interval::wholeMilliseconds(1.23456), 234);
    EXPECT_EQ(interval::wholeMilliseconds(2.675), 674);  // 2.67499999... in binary
    EXPECT_EQ(interval::wholeMilliseconds(-1.23456), -234);
    EXPECT_EQ(interval::minutesPart(3725), 2);
    EXPECT_EQ(interval::secondsPart(3725), 5);
    EXPECT_EQ(interval::totalMinutes(3725), 62);
    EXPECT_DOUBLE_EQ(interval::minutesValue(90), 1.5);
    EXPECT_EQ(interval::totalHours(-7199), -1);
    EXPECT_EQ(interval::totalDays(172799), 1);
    EXPECT_EQ(interval::totalWeeks(1209600), 2);
    EXPECT_EQ(interval::totalMonths(-2592000), -1);
}

}  // namespace
}  // namespace dates
