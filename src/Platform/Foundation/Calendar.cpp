#include "Platform/Foundation/Calendar.h"

#include <unicode/dtfmtsym.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "Platform/Foundation/IcuDates.h"
#include "Platform/Foundation/WholeCount.h"

namespace foundation {

namespace {

using C = CalendarComponent;

constexpr double kNanosPerSecond = 1e9;
// ICU keeps moments within about +-5.8 million years of 1970; fields are 32-bit.
constexpr double kMaxMillis = 183e15;
constexpr std::int64_t kMaxYears = 5'000'000;
constexpr std::int64_t kMaxField = 1'000'000'000;

std::optional<UCalendarDateFields> icuField(C c) {
    switch (c) {
        case C::era:
            return UCAL_ERA;
        case C::year:
            return UCAL_YEAR;
        case C::yearForWeekOfYear:
            return UCAL_YEAR_WOY;
        case C::month:
            return UCAL_MONTH;
        case C::weekOfYear:
            return UCAL_WEEK_OF_YEAR;
        case C::weekOfMonth:
            return UCAL_WEEK_OF_MONTH;
        case C::weekday:
            return UCAL_DAY_OF_WEEK;
        case C::weekdayOrdinal:
            return UCAL_DAY_OF_WEEK_IN_MONTH;
        case C::day:
            return UCAL_DATE;
        case C::hour:
            return UCAL_HOUR_OF_DAY;
        case C::minute:
            return UCAL_MINUTE;
        case C::second:
            return UCAL_SECOND;
        case C::quarter:
        case C::nanosecond:
            return std::nullopt;
    }
    return std::nullopt;
}

bool isYearLike(C c) {
    return c == C::era || c == C::year || c == C::yearForWeekOfYear;
}

// Whether a field value or an amount of that field stays inside what ICU computes without overflow.
bool fitsIcu(C c, std::int64_t v) {
    const std::int64_t limit = isYearLike(c)                      ? kMaxYears
                               : c == C::month || c == C::quarter ? 12 * kMaxYears
                                                                  : kMaxField;
    return v >= -limit && v <= limit;
}

bool isUsable(Date date) {
    return std::isfinite(date.secondsSince1970) && std::abs(date.secondsSince1970 * 1000.0) < kMaxMillis;
}

std::optional<Date> usable(Date date) {
    return isUsable(date) ? std::optional<Date>(date) : std::nullopt;
}

std::int64_t floorMod(std::int64_t a, std::int64_t n) {
    return ((a % n) + n) % n;
}

// The length in seconds of the fields that are added and counted as elapsed time.
std::optional<double> elapsedUnit(C c) {
    switch (c) {
        case C::nanosecond:
            return 1.0 / kNanosPerSecond;
        case C::second:
            return 1.0;
        case C::minute:
            return 60.0;
        case C::hour:
            return 3600.0;
        default:
            return std::nullopt;
    }
}

// The ICU field in which `c` is added or counted, and how many of that field make one `c`.
struct CountedField {
    UCalendarDateFields field;
    std::int64_t perUnit;
};

CountedField countedField(C c) {
    switch (c) {
        case C::quarter:
            return {UCAL_MONTH, 3};
        case C::weekday:
            return {UCAL_DATE, 1};
        case C::weekOfMonth:
        case C::weekdayOrdinal:
            return {UCAL_WEEK_OF_YEAR, 1};
        case C::yearForWeekOfYear:
            return {UCAL_YEAR, 1};
        default:
            return {icuField(c).value_or(UCAL_DATE), 1};
    }
}

// How far ahead a field is looked for day by day: ten years hold a 53rd week and a leap month.
constexpr int kDaysAhead = 10 * 366;

// The value of field `c` (any but the nanosecond) where `cal` stands.
std::int64_t fieldValue(icu::Calendar& cal, C c, UErrorCode& status) {
    if (c == C::quarter) return cal.get(UCAL_MONTH, status) / 3 + 1;
    return cal.get(*icuField(c), status) + (c == C::month ? 1 : 0);
}

// Whether a field that changes only from one day to the next can hold `value` in this calendar.
bool canHold(const icu::Calendar& cal, C c, std::int64_t value) {
    if (c == C::quarter) return value >= 1 && value <= cal.getMaximum(UCAL_MONTH) / 3 + 1;
    const auto field = icuField(c);
    if (!field) return false;
    const std::int64_t shift = c == C::month ? 1 : 0;
    // Weekday ordinals read from 1; ICU's negative ones only count back from the end of a month.
    const std::int64_t lowest = c == C::weekdayOrdinal ? 1 : cal.getMinimum(*field) + shift;
    return value >= lowest && value <= cal.getMaximum(*field) + shift;
}

}  // namespace

// Makes the ICU calendar that a Calendar describes; one per call, never shared.
class CalendarEngine {
  public:
    static std::unique_ptr<icu::Calendar> make(const Calendar& cal) {
        UErrorCode status = U_ZERO_ERROR;
        const std::string name = cal.locale_ + "@calendar=" + cal.id_;
        std::unique_ptr<icu::Calendar> c(icu::Calendar::createInstance(icudates::zone(cal.zone_).release(),
                                                                       icu::Locale(name.c_str()), status));
        if (U_FAILURE(status) || !c) return nullptr;
        c->setFirstDayOfWeek(static_cast<UCalendarDaysOfWeek>(cal.firstWeekday_));
        c->setMinimalDaysInFirstWeek(static_cast<uint8_t>(cal.minimumDays_));
        c->setLenient(true);
        c->setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
        c->setSkippedWallTimeOption(UCAL_WALLTIME_LAST);
        return c;
    }

    // The calendar positioned on the whole second of `date`, or null outside ICU's range.
    static std::unique_ptr<icu::Calendar> at(const Calendar& cal, Date date) {
        if (!isUsable(date)) return nullptr;
        auto c = make(cal);
        if (!c) return nullptr;
        UErrorCode status = U_ZERO_ERROR;
        c->setTime(icudates::wholeSecondMillis(date), status);
        return U_SUCCESS(status) ? std::move(c) : nullptr;
    }

    static std::optional<Date> timeOf(icu::Calendar& c, double fraction) {
        UErrorCode status = U_ZERO_ERROR;
        const UDate millis = c.getTime(status);
        if (U_FAILURE(status)) return std::nullopt;
        return usable(icudates::fromMillis(millis, fraction));
    }

    // The first start of a day, from the day of `from` on, that lies after `after` and on which
    // `matches` holds; at most `maxDays` days are walked.
    template <class Matches>
    static std::optional<Date> firstDayStart(const Calendar& cal, Date from, Date after, Matches matches,
                                             int maxDays) {
        const auto c = at(cal, from);
        if (!c) return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        for (int i = 0; i <= maxDays; ++i) {
            if (i > 0) c->add(UCAL_DATE, 1, status);
            // Midnight, or the first moment after it where a daylight-saving change skips it.
            c->set(UCAL_HOUR_OF_DAY, 0);
            c->set(UCAL_MINUTE, 0);
            c->set(UCAL_SECOND, 0);
            c->set(UCAL_MILLISECOND, 0);
            const UDate start = c->getTime(status);
            if (U_FAILURE(status)) return std::nullopt;
            if (start / 1000.0 <= after.secondsSince1970) continue;
            const bool found = matches(*c, status);
            if (U_FAILURE(status)) return std::nullopt;
            if (found) return timeOf(*c, 0.0);
        }
        return std::nullopt;
    }

    // Fields that change only at midnight (day, weekday, weeks, month, quarter): the start of the
    // next day that has the value.
    static std::optional<Date> nextDayWith(const Calendar& cal, C c, std::int64_t value, Date date) {
        const auto probe = make(cal);
        if (!probe || !canHold(*probe, c, value)) return std::nullopt;
        const auto matches = [c, value](icu::Calendar& day, UErrorCode& status) {
            return fieldValue(day, c, status) == value;
        };
        return firstDayStart(cal, date, date, matches, kDaysAhead);
    }

    // Hours, minutes and seconds: the start of the next such unit, counted in elapsed time so that a
    // repeated hour is not skipped; an hour that a daylight-saving change skips is found the next day.
    static std::optional<Date> nextTimeWith(const Calendar& cal, C c, std::int64_t value, Date date) {
        const std::int64_t units = c == C::hour ? 24 : 60;
        if (value < 0 || value >= units) return std::nullopt;
        const auto start = cal.startOf(c, date);
        if (!start) return std::nullopt;
        const double unit = *elapsedUnit(c);
        for (std::int64_t i = 1; i <= 2 * units + 1; ++i) {
            const Date t = start->addingTimeInterval(static_cast<double>(i) * unit);
            if (cal.component(c, t) == value) return usable(t);
        }
        return std::nullopt;
    }

    // Eras only follow one another: a later era starts within its first year (a Japanese era starts
    // in the year its predecessor ends), an earlier one never comes again.
    static std::optional<Date> nextEra(const Calendar& cal, std::int64_t value, Date date) {
        const auto probe = make(cal);
        if (!probe || value > probe->getMaximum(UCAL_ERA) || value < cal.component(C::era, date))
            return std::nullopt;
        DateComponents first;
        first.era = value;
        first.year = 1;
        const auto firstYear = cal.date(first);
        if (!firstYear) return std::nullopt;
        const auto matches = [value](icu::Calendar& day, UErrorCode& status) {
            return day.get(UCAL_ERA, status) == value;
        };
        return firstDayStart(cal, *firstYear, date, matches, 366);
    }

    // The first later day of year `value`, in this era or a later one (years before Christ count
    // down, so year 5 follows year 6 BC and comes again as 5 AD).
    static std::optional<Date> nextYear(const Calendar& cal, std::int64_t value, Date date) {
        const auto probe = make(cal);
        if (!probe || !fitsIcu(C::year, value)) return std::nullopt;
        for (std::int64_t era = cal.component(C::era, date); era <= probe->getMaximum(UCAL_ERA); ++era) {
            DateComponents fields;
            fields.era = era;
            fields.year = value;
            const auto yearStart = cal.date(fields);
            if (!yearStart) continue;
            const auto matches = [era, value](icu::Calendar& day, UErrorCode& status) {
                return day.get(UCAL_ERA, status) == era && day.get(UCAL_YEAR, status) == value;
            };
            if (const auto found = firstDayStart(cal, *yearStart, date, matches, 366)) return found;
        }
        return std::nullopt;
    }

    // The first day of the first week of a later week-year.
    static std::optional<Date> nextWeekYear(const Calendar& cal, std::int64_t value, Date date) {
        if (!fitsIcu(C::yearForWeekOfYear, value)) return std::nullopt;
        DateComponents first = cal.dateComponents({C::era}, date);
        first.yearForWeekOfYear = value;
        first.weekOfYear = 1;
        first.weekday = cal.firstWeekday();
        const auto start = cal.date(first);
        if (!start || *start <= date || cal.component(C::yearForWeekOfYear, *start) != value)
            return std::nullopt;
        return start;
    }
};

Calendar::Calendar(std::string id, std::string locale, TimeZone zone, int firstWeekday, int minimumDays)
    : id_(std::move(id)),
      locale_(std::move(locale)),
      zone_(std::move(zone)),
      firstWeekday_(firstWeekday),
      minimumDays_(minimumDays) {}

Calendar Calendar::current() {
    const icu::Locale& locale = icu::Locale::getDefault();
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> c(icu::Calendar::createInstance(locale, status));
    if (U_FAILURE(status) || !c) return Calendar("gregorian", "", TimeZone::defaultZone(), 1, 1);
    return Calendar(c->getType(), locale.getBaseName(), TimeZone::defaultZone(), c->getFirstDayOfWeek(status),
                    c->getMinimalDaysInFirstWeek());
}

std::optional<Calendar> Calendar::withIdentifier(const std::string& identifier) {
    if (identifier.empty() || identifier.find_first_of("@;=") != std::string::npos) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const std::string name = "@calendar=" + identifier;
    std::unique_ptr<icu::Calendar> c(icu::Calendar::createInstance(icu::Locale(name.c_str()), status));
    // ICU makes the ISO 8601 calendar as a Gregorian one with ISO week rules, and falls back to
    // Gregorian for names it does not know.
    const bool iso = identifier == "iso8601";
    if (U_FAILURE(status) || !c || (identifier != c->getType() && !iso)) return std::nullopt;
    return Calendar(identifier, "", TimeZone::defaultZone(), iso ? 2 : 1, iso ? 4 : 1);
}

std::int64_t Calendar::component(CalendarComponent c, Date date) const {
    return dateComponents({c}, date).value(c).value_or(0);
}

DateComponents Calendar::dateComponents(const ComponentSet& set, Date date) const {
    DateComponents out;
    const auto cal = CalendarEngine::at(*this, date);
    if (!cal) return out;
    UErrorCode status = U_ZERO_ERROR;
    for (const C c : set) {
        std::optional<std::int64_t> v;
        if (c == C::nanosecond) {
            const double ns = std::round(icudates::secondFraction(date) * kNanosPerSecond);
            v = std::min<std::int64_t>(static_cast<std::int64_t>(ns), 999'999'999);
        } else {
            v = fieldValue(*cal, c, status);
        }
        if (U_SUCCESS(status)) out.setValue(c, v);
    }
    return out;
}

std::optional<Date> Calendar::date(const DateComponents& components) const {
    Calendar inZone = *this;
    if (components.timeZone) inZone.zone_ = *components.timeZone;
    const auto cal = CalendarEngine::make(inZone);
    if (!cal) return std::nullopt;
    cal->clear();
    // ICU lets the most recently set field decide between competing ways to name a day, so the
    // day of the month goes last.
    static constexpr C kOrder[] = {
        C::era,         C::yearForWeekOfYear, C::year,    C::quarter, C::month, C::weekOfYear,
        C::weekOfMonth, C::weekdayOrdinal,    C::weekday, C::day,     C::hour,  C::minute,
        C::second};
    for (const C c : kOrder) {
        auto v = components.value(c);
        if (!v) continue;
        if (!fitsIcu(c, *v)) return std::nullopt;
        if (c == C::quarter) {
            if (!components.month) cal->set(UCAL_MONTH, static_cast<int32_t>((*v - 1) * 3));
            continue;
        }
        cal->set(*icuField(c), static_cast<int32_t>(*v - (c == C::month ? 1 : 0)));
    }
    const double nanos = static_cast<double>(components.nanosecond.value_or(0));
    if (std::abs(nanos) > 1e18) return std::nullopt;
    const auto base = CalendarEngine::timeOf(*cal, 0.0);
    if (!base) return std::nullopt;
    return usable(base->addingTimeInterval(nanos / kNanosPerSecond));
}

std::optional<Date> Calendar::dateByAdding(CalendarComponent c, std::int64_t value, Date date) const {
    if (!isUsable(date)) return std::nullopt;
    if (const auto unit = elapsedUnit(c))
        return usable(date.addingTimeInterval(static_cast<double>(value) * *unit));
    if (!fitsIcu(c, value)) return std::nullopt;
    const auto cal = CalendarEngine::at(*this, date);
    if (!cal) return std::nullopt;
    const CountedField counted = countedField(c);
    UErrorCode status = U_ZERO_ERROR;
    cal->add(counted.field, static_cast<int32_t>(value * counted.perUnit), status);
    if (U_FAILURE(status)) return std::nullopt;
    return CalendarEngine::timeOf(*cal, icudates::secondFraction(date));
}

std::optional<Date> Calendar::dateBySetting(CalendarComponent c, std::int64_t value, Date date) const {
    if (!isUsable(date)) return std::nullopt;
    const DateComponents now = dateComponents({c}, date);
    if (!now.value(c)) return std::nullopt;
    if (now.value(c) == value) return date;
    switch (c) {
        case C::nanosecond: {
            if (value < 0 || value >= 1'000'000'000) return std::nullopt;
            const double whole = std::floor(date.secondsSince1970) + (value < *now.nanosecond ? 1.0 : 0.0);
            return usable(Date{whole + static_cast<double>(value) / kNanosPerSecond});
        }
        case C::second:
        case C::minute:
        case C::hour:
            return CalendarEngine::nextTimeWith(*this, c, value, date);
        case C::era:
            return CalendarEngine::nextEra(*this, value, date);
        case C::year:
            return CalendarEngine::nextYear(*this, value, date);
        case C::yearForWeekOfYear:
            return CalendarEngine::nextWeekYear(*this, value, date);
        default:
            return CalendarEngine::nextDayWith(*this, c, value, date);
    }
}

std::optional<Calendar::Range> Calendar::range(CalendarComponent smaller, CalendarComponent larger,
                                               Date date) const {
    const auto fixed = [](std::int64_t lo, std::int64_t hi) { return std::optional<Range>(Range{lo, hi}); };
    if (!isUsable(date)) return std::nullopt;
    if (smaller == C::hour && larger == C::day) return fixed(0, 24);
    if (smaller == C::minute && larger == C::hour) return fixed(0, 60);
    if (smaller == C::second && larger == C::minute) return fixed(0, 60);
    if (smaller == C::nanosecond && larger == C::second) return fixed(0, 1'000'000'000);
    if (smaller == C::weekday && (larger == C::weekOfYear || larger == C::weekOfMonth)) return fixed(1, 8);
    UCalendarDateFields field;
    int shift = 0;
    if (smaller == C::month && larger == C::year) {
        field = UCAL_MONTH, shift = 1;
    } else if (smaller == C::day && larger == C::month) {
        field = UCAL_DATE;
    } else if (smaller == C::day && larger == C::year) {
        field = UCAL_DAY_OF_YEAR;
    } else {
        return std::nullopt;
    }
    const auto cal = CalendarEngine::at(*this, date);
    if (!cal) return std::nullopt;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t lo = cal->getActualMinimum(field, status);
    const int32_t hi = cal->getActualMaximum(field, status);
    if (U_FAILURE(status)) return std::nullopt;
    return Range{lo + shift, hi + shift + 1};
}

int Calendar::monthSymbolCount() const {
    UErrorCode status = U_ZERO_ERROR;
    const std::string name = (locale_.empty() ? std::string("en_US_POSIX") : locale_) + "@calendar=" + id_;
    icu::DateFormatSymbols symbols(icu::Locale(name.c_str()), status);
    if (U_FAILURE(status)) return 12;
    int32_t count = 0;
    symbols.getMonths(count);
    return count > 0 ? count : 12;
}

std::optional<Date> Calendar::startOfDay(Date date) const {
    DateComponents day = dateComponents({C::era, C::year, C::month, C::day}, date);
    if (!day.day) return std::nullopt;
    return this->date(day);
}

std::optional<Date> Calendar::startOf(CalendarComponent granularity, Date date) const {
    if (!isUsable(date)) return std::nullopt;
    const auto fields = [&](const ComponentSet& set) { return this->date(dateComponents(set, date)); };
    // Within a day, periods are counted in elapsed time: the start of the hour is where the hour
    // began even on the night a daylight-saving change repeats it.
    const auto backTo = [&](const ComponentSet& set) {
        const DateComponents d = dateComponents(set, date);
        const double back = static_cast<double>(d.minute.value_or(0) * 60 + d.second.value_or(0));
        return usable(Date{std::floor(date.secondsSince1970) - back});
    };
    switch (granularity) {
        case C::era: {
            DateComponents first = dateComponents({C::era}, date);
            first.year = 1;
            return this->date(first);
        }
        case C::year:
            return fields({C::era, C::year});
        case C::yearForWeekOfYear: {
            DateComponents first = dateComponents({C::era, C::yearForWeekOfYear}, date);
            first.weekOfYear = 1;
            first.weekday = firstWeekday_;
            return this->date(first);
        }
        case C::quarter: {
            DateComponents first = dateComponents({C::era, C::year, C::quarter}, date);
            first.month = (first.quarter.value_or(1) - 1) * 3 + 1;
            return this->date(first);
        }
        case C::month:
            return fields({C::era, C::year, C::month});
        case C::weekOfYear:
        case C::weekOfMonth: {
            const std::int64_t back = floorMod(component(C::weekday, date) - firstWeekday_, 7);
            const auto first = dateByAdding(C::day, -back, date);
            return first ? startOfDay(*first) : std::nullopt;
        }
        case C::weekday:
        case C::weekdayOrdinal:
        case C::day:
            return startOfDay(date);
        case C::hour:
            return backTo({C::minute, C::second});
        case C::minute:
            return backTo({C::second});
        case C::second:
            return usable(Date{std::floor(date.secondsSince1970)});
        case C::nanosecond:
            return date;
    }
    return std::nullopt;
}

bool Calendar::isDate(Date a, Date b, CalendarComponent granularity) const {
    const auto first = startOf(granularity, a);
    return first && first == startOf(granularity, b);
}

bool Calendar::isDateInToday(Date date, Date now) const {
    return isDate(date, now, C::day);
}

bool Calendar::isDateInYesterday(Date date, Date now) const {
    const auto yesterday = dateByAdding(C::day, -1, now);
    return yesterday && isDate(date, *yesterday, C::day);
}

bool Calendar::isDateInTomorrow(Date date, Date now) const {
    const auto tomorrow = dateByAdding(C::day, 1, now);
    return tomorrow && isDate(date, *tomorrow, C::day);
}

bool Calendar::isDateInWeekend(Date date) const {
    const auto cal = CalendarEngine::at(*this, date);
    if (!cal) return false;
    UErrorCode status = U_ZERO_ERROR;
    const UBool weekend = cal->isWeekend(icudates::wholeSecondMillis(date), status);
    return U_SUCCESS(status) && weekend;
}

std::optional<std::int64_t> Calendar::difference(CalendarComponent c, Date from, Date to) const {
    if (!isUsable(from) || !isUsable(to)) return std::nullopt;
    if (const auto unit = elapsedUnit(c)) return wholeCount(to.timeIntervalSince(from) / *unit);
    const auto cal = CalendarEngine::make(*this);
    if (!cal) return std::nullopt;
    const CountedField counted = countedField(c);
    UErrorCode status = U_ZERO_ERROR;
    cal->setTime(std::floor(from.secondsSince1970 * 1000.0), status);
    const int32_t units =
        cal->fieldDifference(std::floor(to.secondsSince1970 * 1000.0), counted.field, status);
    if (U_FAILURE(status)) return std::nullopt;
    return units / counted.perUnit;
}

}  // namespace foundation
