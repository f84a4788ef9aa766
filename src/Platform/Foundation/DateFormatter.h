#pragma once
// Dates as text and text as dates, on ICU's formatters: by style (in the locale's words and
// calendar), by fixed pattern ("yyyy-MM-dd"), or by a template the locale arranges ("MMM").
// Defaults: ICU's default locale, the default time zone, the locale's calendar. A formatter is
// a value owned by one thread at a time; formatting and parsing do not change it.

#include <optional>
#include <string>
#include <vector>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/TimeZone.h"

namespace foundation {

enum class DateStyle { None, Short, Medium, Long, Full };

class DateFormatter {
  public:
    DateFormatter();
    // A formatter of a fixed machine format: the POSIX locale and the Gregorian calendar whatever
    // the user's locale, so that the text never shifts with a calendar's era or a locale's words.
    static DateFormatter fixedFormat(std::string pattern, std::optional<TimeZone> zone = std::nullopt);

    const std::string& locale() const { return locale_; }
    void setLocale(std::string localeId) { locale_ = std::move(localeId); }
    // Absent: the process's default zone at the time of each call.
    const std::optional<TimeZone>& timeZone() const { return zone_; }
    void setTimeZone(std::optional<TimeZone> zone) { zone_ = std::move(zone); }

    // A fixed pattern in ICU's (Unicode's) syntax; it replaces the styles until a style is set.
    const std::string& dateFormat() const { return pattern_; }
    void setDateFormat(std::string pattern);
    // The pattern the locale uses for the fields of `skeleton` ("EEEE" gives the weekday's name).
    void setLocalizedDateFormatFromTemplate(const std::string& skeleton);
    // Setting a style replaces a pattern. Both styles None give the empty text.
    void setDateStyle(DateStyle style);
    void setTimeStyle(DateStyle style);
    // Dates near today read "Yesterday", "Today", "Tomorrow" in the date styles.
    void setDoesRelativeDateFormatting(bool relative) { relative_ = relative; }
    // The moment that relative dates count from; absent: the system clock at each call.
    void setNow(std::optional<Date> now) { now_ = now; }

    std::string string(Date date) const;
    // The date the whole text names, read strictly: text the pattern does not describe (a day 31
    // in April, trailing characters, a missing field) gives no date.
    std::optional<Date> date(const std::string& text) const;

    // The weekday names of the locale, Sunday first.
    std::vector<std::string> weekdaySymbols() const;
    std::vector<std::string> shortWeekdaySymbols() const;

  private:
    std::optional<std::string> relativeString(Date date) const;

    std::string locale_;
    std::optional<TimeZone> zone_;
    std::string pattern_;
    bool usesPattern_ = false;
    DateStyle dateStyle_ = DateStyle::None, timeStyle_ = DateStyle::None;
    bool relative_ = false;
    std::optional<Date> now_;
};

}  // namespace foundation
