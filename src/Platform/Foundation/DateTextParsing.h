#pragma once
// Reading a date from text with a fixed pattern ("yyyy-MM-dd HH:mm:ss", ICU pattern letters). The
// pattern is read with the POSIX locale and the Gregorian calendar whatever the user's locale, so a
// fixed format never shifts by a calendar's era; the whole text must match. Safe from any thread.

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/Date.h"

namespace foundation {

// `timeZoneId` is an Olson identifier ("Europe/Berlin"); empty means the current time zone.
std::optional<Date> parseDate(std::string_view text, std::string_view pattern,
                              const std::string& timeZoneId = {});

}  // namespace foundation
