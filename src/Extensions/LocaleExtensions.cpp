#include "Extensions/LocaleExtensions.h"

#include <algorithm>

#include "Platform/Foundation/Calendar.h"
#include "Platform/Foundation/LocaleServices.h"

namespace found {

namespace {
// 0x1F1E6 (regional indicator A) - 'A'.
constexpr char32_t kRegionalIndicatorOffset = 127397;

void appendUtf8(std::string& out, char32_t c) {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
}
}  // namespace

std::string posix() {
    return "en_US_POSIX";
}

bool is12HourClock(const std::string& locale) {
    return foundation::is12HourClock(locale);
}

std::optional<std::string> flagEmoji(const std::string& regionCode) {
    const auto& codes = foundation::isoRegionCodes();
    if (std::ranges::find(codes, regionCode) == codes.end()) return std::nullopt;
    std::string out;
    for (const char c : regionCode) appendUtf8(out, static_cast<char32_t>(c) + kRegionalIndicatorOffset);
    return out;
}

std::string temperatureUnitSymbol(const std::string& locale) {
    const std::string text = foundation::zeroCelsiusText(locale);
    // The last character: back up over UTF-8 continuation bytes to its first byte.
    std::size_t start = text.size();
    while (start > 0 && (static_cast<unsigned char>(text[--start]) & 0xC0) == 0x80) {
    }
    return text.substr(start);
}

bool usesCelsius(const std::string& locale) {
    return temperatureUnitSymbol(locale) != "F";
}

int daysInMonth(foundation::Date date) {
    const auto days = foundation::Calendar::current().range(foundation::CalendarComponent::day,
                                                            foundation::CalendarComponent::month, date);
    return days ? static_cast<int>(days->upper - days->lower) : 0;
}

}  // namespace found
