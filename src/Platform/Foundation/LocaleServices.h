#pragma once
// Facts about a locale and the calendar that ICU knows: its region codes, whether its clock shows
// AM and PM, the temperature text it shows, and the length of a month. A locale is an ICU
// identifier ("en_US"); empty means the user's current locale. Each call makes its own ICU objects:
// safe from any thread.

#include <string>
#include <vector>

#include "Platform/Foundation/Date.h"

namespace foundation {

// The two-letter ISO 3166 region codes ("FR", "US", ...).
const std::vector<std::string>& isoRegionCodes();

// True when the locale's short time text of now contains its AM or PM symbol.
bool is12HourClock(const std::string& locale = {});

// The text the locale shows for a temperature of 0 degrees Celsius, in the unit that locale uses
// for the weather: "32°F" in en_US, "0 °C" in de_DE.
std::string zeroCelsiusText(const std::string& locale = {});

// The number of days of the month that holds `date`, in the current locale's calendar and the
// default time zone.
int daysInMonth(Date date);

}  // namespace foundation
