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
        } else if (c == C::quarter) {
            v = cal->get(UCAL_MONTH, status) / 3 + 1;
        } else {
            v = cal->get(*icuField(c), status) + (c == C::month ? 1 : 0);
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
    if (now.value(c) == value) return date;
    if (c == C::weekday) {
        if (value < 1 || value > 7) return std::nullopt;
        const std::int64_t ahead = floorMod(value - *now.weekday, 7);
        const auto day = dateByAdding(C::day, ahead, date);
        return day ? startOfDay(*day) : std::nullopt;
    }
    if (c == C::nanosecond) {
        if (value < 0 || value >= 1'000'000'000 || !now.nanosecond) return std::nullopt;
        const double whole = std::floor(date.secondsSince1970) + (value < *now.nanosecond ? 1.0 : 0.0);
        return usable(Date{whole + static_cast<double>(value) / kNanosPerSecond});
    }
    return std::nullopt;
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
