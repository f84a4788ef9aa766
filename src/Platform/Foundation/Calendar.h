#pragma once
// A calendar system (Gregorian, Buddhist, Japanese, ISO 8601, ...) with its week rules and time
// zone, on ICU calendars: reading the fields of a date, building a date from fields, adding and
// setting one field, field ranges, period starts and whole-unit differences. Plain value: each call
// makes its own ICU calendar, so one Calendar may be used from any thread.
//
// Wall-clock times follow the time zone's rules: a time that a daylight-saving change skips (02:30
// on a spring-forward night in Berlin) is read as the same distance past the change (03:30); a time
// that a change repeats (02:30 on the autumn night) is its first occurrence. Field values whose
// dates lie beyond ICU's range (about five million years) give no date.

#include <cstdint>
#include <optional>
#include <string>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/DateComponents.h"
#include "Platform/Foundation/TimeZone.h"

namespace foundation {

class Calendar {
  public:
    // Values `lower` <= v < `upper`.
    struct Range {
        std::int64_t lower = 0, upper = 0;
        bool operator==(const Range&) const = default;
    };

    // The user's calendar: the calendar system, first weekday and first-week rule of the default
    // locale, in the default time zone. Read afresh at each call.
    static Calendar current();
    // A calendar of that system ("gregorian", "buddhist", "iso8601", ...) with the platform's plain
    // settings: weeks start on Sunday and week 1 is the one holding 1 January (ISO 8601: Monday,
    // four days), no locale, the default time zone. Absent for an identifier ICU does not know.
    static std::optional<Calendar> withIdentifier(const std::string& identifier);

    const std::string& identifier() const { return id_; }
    const std::string& localeIdentifier() const { return locale_; }  // empty: none
    const TimeZone& timeZone() const { return zone_; }
    void setTimeZone(TimeZone zone) { zone_ = std::move(zone); }
    // 1 = Sunday ... 7 = Saturday.
    int firstWeekday() const { return firstWeekday_; }
    int minimumDaysInFirstWeek() const { return minimumDays_; }

    // One field of `date` (months count from 1, weekdays from 1 = Sunday); 0 for a date outside
    // the calendar's range.
    std::int64_t component(CalendarComponent c, Date date) const;
    // The fields of `set`, each absent when `date` lies outside the calendar's range.
    DateComponents dateComponents(const ComponentSet& set, Date date) const;
    // The date the fields name, read leniently (month 13 is January of the next year, hour -1 is
    // 23:00 of the day before); the day of the month decides over week fields when both are given.
    // Unset fields count from their smallest value. Absent when the fields name no date.
    std::optional<Date> date(const DateComponents& components) const;

    // `value` units of `c` added, carrying as the calendar does: a month added to 31 January is
    // the last day of February. Hours, minutes, seconds and nanoseconds are added as elapsed time.
    std::optional<Date> dateByAdding(CalendarComponent c, std::int64_t value, Date date) const;
    // The date itself when field `c` already holds `value`; otherwise the first later moment whose
    // field `c` is `value`: the start of the next such day for the fields that change at midnight
    // (day, weekday, weekday ordinal, weeks, month, quarter), of the next such hour, minute or
    // second, of the next such year, week-year or era, and for a nanosecond the matching moment in
    // this second or the next. Absent when no later moment has the value (an earlier era, a
    // year gone by, month 13 of a Gregorian year) or none comes within ten years (week 53).
    std::optional<Date> dateBySetting(CalendarComponent c, std::int64_t value, Date date) const;
    // The values `smaller` takes within the `larger` unit that holds `date`: month in year, day in
    // month or year, weekday in week, hour in day, minute in hour, second in minute, nanosecond in
    // second. Absent for other pairs.
    std::optional<Range> range(CalendarComponent smaller, CalendarComponent larger, Date date) const;
    // How many month names the calendar has (12 in the Gregorian calendar, 13 in the Hebrew one).
    int monthSymbolCount() const;

    // The first moment of the day: midnight, or the first moment after it where a daylight-saving
    // change skips midnight.
    std::optional<Date> startOfDay(Date date) const;
    // The first moment of the period of `granularity` (era, year, quarter, month, week, day, hour,
    // minute, second) that holds `date`; weeks start on firstWeekday().
    std::optional<Date> startOf(CalendarComponent granularity, Date date) const;
    // Whether both dates lie in the same period of `granularity`.
    bool isDate(Date a, Date b, CalendarComponent granularity) const;
    bool isDateInToday(Date date, Date now) const;
    bool isDateInYesterday(Date date, Date now) const;
    bool isDateInTomorrow(Date date, Date now) const;
    // Saturday and Sunday where the locale says nothing else.
    bool isDateInWeekend(Date date) const;
    // Whole units of `c` from `from` to `to`, truncated toward zero (47 hours are 1 day).
    std::optional<std::int64_t> difference(CalendarComponent c, Date from, Date to) const;

  private:
    Calendar(std::string id, std::string locale, TimeZone zone, int firstWeekday, int minimumDays);
    std::string id_, locale_;
    TimeZone zone_;
    int firstWeekday_ = 1, minimumDays_ = 1;

    friend class CalendarEngine;
};

}  // namespace foundation
