#pragma once
// Rounding a time to the nearest 5, 10, 15, 30 or 60 minutes, stepping a day, adding an amount of
// one field, and the first and last second of the period (year, month, week, day, hour, minute,
// second) that holds a date. All in the library calendar (see Components.h). Pure; any thread.

#include <cstdint>
#include <optional>

#include "Libraries/Date/Components.h"

namespace dates {

// The minute rounds by its remainder alone (10:02:59 gives 10:00 by five minutes); seconds and
// nanoseconds of the result are 0, and minute 60 carries into the next hour. The rounding moves
// the date by elapsed minutes, so on a night that repeats an hour it stays in the same pass.
Date nearestFiveMinutes(Date date);  // remainder 3 or 4 rounds up
Date nearestTenMinutes(Date date);   // 6 to 9 up
Date nearestQuarterHour(Date date);  // 8 to 14 up
Date nearestHalfHour(Date date);     // 15 to 29 up
Date nearestHour(Date date);         // minute 30 and later up

// One calendar day earlier or later; the date itself when the calendar can make none.
Date yesterday(Date date);
Date tomorrow(Date date);
// `value` units of `c` added, clamping to the month's end (31 January + 1 month = 28 February);
// `adding` gives the date itself and `add` leaves it unchanged when the calendar can make none.
Date adding(Date date, Component c, std::int64_t value);
void add(Date& date, Component c, std::int64_t value);

// The fields that name a period of `c`: {year} for a year, {year, month} for a month, ... and
// {yearForWeekOfYear, weekOfYear} for both kinds of week; empty for the others (day included).
foundation::ComponentSet periodComponents(Component c);
// The first moment of the period of `c` (year, month, weekOfYear, weekOfMonth, day, hour, minute,
// second) that holds `date`; absent for other fields.
std::optional<Date> startOf(Date date, Component c);
// The last whole second of that period (nanosecond 0): one second before the next period starts.
// Absent for the fields startOf does not take.
std::optional<Date> endOf(Date date, Component c);

}  // namespace dates
