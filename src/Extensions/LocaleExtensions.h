#pragma once
// Locale conveniences: the POSIX locale, whether a locale's clock shows AM and PM, a region's flag,
// the temperature unit a locale shows, and the length of a date's month. A locale is an ICU
// identifier; empty means the user's current locale. Safe from any thread.

#include <optional>
#include <string>

#include "Platform/Foundation/Date.h"

namespace found {

// "en_US_POSIX": fixed formats that no user setting changes.
std::string posix();

bool is12HourClock(const std::string& locale = {});

// The two regional indicator symbols of an ISO region code ("FR" -> the French flag); absent for a
// code that is no ISO region code, lower case included.
std::optional<std::string> flagEmoji(const std::string& regionCode);

// The last character of the locale's text for 0 degrees Celsius: "C", or "F" where the locale shows
// Fahrenheit.
std::string temperatureUnitSymbol(const std::string& locale = {});
bool usesCelsius(const std::string& locale = {});

int daysInMonth(foundation::Date date);

}  // namespace found
