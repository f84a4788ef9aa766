#pragma once
// A time zone named by its identifier ("Europe/Berlin"), with rules and names from ICU's time-zone
// data. Plain value: safe to copy and use on any thread. The process's default zone is ICU's
// default zone (taken from the environment at start, changeable for tests).

#include <optional>
#include <string>

#include "Platform/Foundation/Date.h"

namespace foundation {

class TimeZone {
  public:
    // The zone of that identifier or one of its aliases; absent for a name ICU does not know.
    static std::optional<TimeZone> named(const std::string& identifier);
    // The zone an abbreviation stands for, as English-speaking users write it: "EST" and "EDT" are
    // New York (with daylight saving), "BST" is London, "GMT" and "UTC" are Greenwich. Absent for
    // an abbreviation that names no zone.
    static std::optional<TimeZone> fromAbbreviation(const std::string& abbreviation);
    // The process's default zone, read at each call.
    static TimeZone defaultZone();
    static TimeZone gmt();

    const std::string& identifier() const { return id_; }
    // Seconds east of Greenwich at that moment, daylight saving included.
    int secondsFromGMT(Date date) const;

    bool operator==(const TimeZone&) const = default;

  private:
    explicit TimeZone(std::string id) : id_(std::move(id)) {}
    std::string id_;
};

// Replaces the process's default zone (tests pin it; the application keeps the environment's).
// Call it before other threads read dates. Returns false, changing nothing, for an unknown name.
bool setDefaultTimeZone(const std::string& identifier);

}  // namespace foundation
