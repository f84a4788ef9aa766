#pragma once
// Dates as text by pattern in a chosen zone, dates read by pattern, and the elapsed and relative
// texts ("5 minutes ago", "2 hr ago", "in 3 days", "Since 1 day"). The relative texts go through
// the application's string table by their English text, so a translation can replace them; the
// count is put into the translated text by replacing its "%.f", never by using it as a format.
// "Now" is a parameter, the system clock by default. Each call makes its own formatter: any thread.

#include <optional>
#include <string>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/DateFormatter.h"
#include "Platform/Foundation/StringTable.h"

namespace dates {

using foundation::Date;

// The date the whole text names by `format` in the user's locale and zone; absent for text the
// format does not describe.
std::optional<Date> fromFormat(const std::string& format, const std::string& text);

// The date and time in the full styles, in the zone the abbreviation names ("EST", "BST"); an
// abbreviation that names no zone leaves the default zone.
std::string fullString(Date date, const std::string& timeZoneAbbreviation);
// By pattern, in the zone the abbreviation names (or the default zone).
std::string string(Date date, const std::string& format, const std::string& timeZoneAbbreviation);
// By pattern with the caller's formatter, whose pattern stays `format` afterwards.
std::string string(Date date, const std::string& format, foundation::DateFormatter& formatter);
// By pattern in the default zone.
std::string localString(Date date, const std::string& format);
std::string formatted(Date date, const std::string& format);
std::string stringFrom(Date date, const std::string& format);

// Whole seconds from the date to now in the largest fitting unit: "59 seconds ago",
// "1 minutes ago", "2 hours ago", "1 days ago", "3 weeks ago". A date ahead of now gives a negative
// count of seconds ("-120 seconds ago").
std::string elapsedText(Date date, Date now = Date::now());
// "just now" under a minute; "1 min ago", "5 min ago", "1 hr ago", "23 hr ago" (or "in 5 min" ahead
// of now); from a day on, the relative medium date ("Yesterday", "Jan 5, 2024"), with a short time
// when `showsTime`.
std::string timeAgoShort(Date date, bool showsTime, Date now = Date::now(),
                         const foundation::StringTable& strings = foundation::StringTable::main());
// As timeAgoShort, but "Since 5 min" for the past, and days up to 10,000 ("Since 150 days",
// "in 2 days") before the relative medium date takes over.
std::string timeAgo(Date date, Date now = Date::now(),
                    const foundation::StringTable& strings = foundation::StringTable::main());

}  // namespace dates
