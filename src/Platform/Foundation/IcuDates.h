#pragma once
// Conversions between the date stand-ins and ICU's own types, for the stand-ins' sources only.
// Pure functions; any thread.

#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <memory>

#include "Platform/Foundation/Date.h"

namespace foundation {

class TimeZone;

namespace icudates {

std::unique_ptr<icu::TimeZone> zone(const TimeZone& tz);
// ICU's milliseconds of the whole second that holds `date` (the fraction is kept apart, since ICU's
// fields stop at milliseconds).
UDate wholeSecondMillis(Date date);
// The fraction of the second of `date`, 0 <= f < 1.
double secondFraction(Date date);
Date fromMillis(UDate millis, double fraction = 0.0);

}  // namespace icudates
}  // namespace foundation
