#pragma once
// Pins the locale and time zone that the date library reads, and builds reference moments with the
// standard library's civil calendar, independent of ICU.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "Platform/Foundation/Date.h"
#include "Platform/Foundation/Formatters.h"
#include "Platform/Foundation/TimeZone.h"

namespace datetest {

using foundation::Date;

// The moment of a Gregorian wall-clock time at UTC offset `offsetHours` (+1 for CET, -3 for BRT).
inline Date wall(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, double s = 0,
                 double offsetHours = 0) {
    using namespace std::chrono;
    const sys_days day{year{y} / month{mo} / std::chrono::day{d}};
    const double seconds =
        static_cast<double>(day.time_since_epoch().count()) * 86400.0 + h * 3600.0 + mi * 60.0 + s;
    return Date{seconds - offsetHours * 3600.0};
}

// `text` as it reads whatever ICU version made it: the no-break and narrow no-break spaces that
// versions put before AM and PM become plain spaces, and the full style's " at " between date and
// time (a comma in other versions) becomes ", ".
inline std::string icuNeutral(std::string text) {
    const auto replaceAll = [&text](const std::string& from, const std::string& to) {
        for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
            text.replace(at, from.size(), to);
    };
    replaceAll("\u202f", " ");
    replaceAll("\u00a0", " ");
    replaceAll(" at ", ", ");
    return text;
}

inline Date utc(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, double s = 0) {
    return wall(y, mo, d, h, mi, s, 0);
}

// Berlin wall-clock times: CET (+1) in winter, CEST (+2) from the last Sunday of March to the last
// Sunday of October.
inline Date berlin(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, double s = 0, bool summer = false) {
    return wall(y, mo, d, h, mi, s, summer ? 2 : 1);
}

class DateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        savedLocale_ = foundation::defaultLocale();
        savedZone_ = foundation::TimeZone::defaultZone().identifier();
        use("en_US", "Europe/Berlin");
    }
    void TearDown() override {
        foundation::setDefaultLocale(savedLocale_);
        foundation::setDefaultTimeZone(savedZone_);
    }
    static void use(const std::string& locale, const std::string& zone) {
        foundation::setDefaultLocale(locale);
        ASSERT_TRUE(foundation::setDefaultTimeZone(zone)) << zone;
    }

  private:
    std::string savedLocale_, savedZone_;
};

}  // namespace datetest
