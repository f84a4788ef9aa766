#pragma once
// Facts about a locale that ICU knows: its region codes, whether its clock shows AM and PM, and the
// temperature text it shows. A locale is an ICU identifier ("en_US"); empty means the user's
// current locale. Each call makes its own ICU objects: safe from any thread.

#include <string>
#include <vector>

namespace foundation {

// The two-letter ISO 3166 region codes ("FR", "US", ...).
const std::vector<std::string>& isoRegionCodes();

// True when the locale's short time text of now contains its AM or PM symbol.
bool is12HourClock(const std::string& locale = {});

// The text the locale shows for a temperature of 0 degrees Celsius, in the unit that locale uses
// for the weather: "32°F" in en_US, "0 °C" in de_DE.
std::string zeroCelsiusText(const std::string& locale = {});

}  // namespace foundation
