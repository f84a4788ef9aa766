#include "Libraries/Support/Option.h"

#include <charconv>
#include <limits>

#include "Extensions/StringNumbers.h"

namespace support {

Option::Option(std::optional<std::string> shortFlag, std::optional<std::string> longFlag, bool required,
               std::string helpMessage)
    : shortFlag_(std::move(shortFlag)),
      longFlag_(std::move(longFlag)),
      required_(required),
      helpMessage_(std::move(helpMessage)) {}

std::string Option::flagDescription() const {
    if (shortFlag_ && longFlag_) return "-" + *shortFlag_ + ", --" + *longFlag_;
    if (shortFlag_) return "-" + *shortFlag_;
    if (longFlag_) return "--" + *longFlag_;
    return {};
}

bool Option::setValue(const std::vector<std::string>&) {
    return false;
}

bool BoolOption::setValue(const std::vector<std::string>&) {
    value_ = true;
    return true;
}

bool CounterOption::setValue(const std::vector<std::string>&) {
    // A count that reached the top stays there rather than wrapping to a negative one.
    if (value_ < std::numeric_limits<std::int64_t>::max()) ++value_;
    return true;
}

std::optional<std::int64_t> parseDecimalInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    for (const char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    // Read the magnitude as unsigned so that the smallest value, whose magnitude exceeds the
    // largest, is still in range.
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!negative) {
        if (magnitude > largest) return std::nullopt;
        return static_cast<std::int64_t>(magnitude);
    }
    if (magnitude > largest + 1) return std::nullopt;
    if (magnitude == largest + 1) return std::numeric_limits<std::int64_t>::min();
    return -static_cast<std::int64_t>(magnitude);
}

bool IntOption::setValue(const std::vector<std::string>& values) {
    if (values.empty()) return false;
    const auto parsed = parseDecimalInteger(values.front());
    if (!parsed) return false;
    value_ = parsed;
    return true;
}

bool DoubleOption::setValue(const std::vector<std::string>& values) {
    if (values.empty()) return false;
    const auto parsed = str::double_(values.front());
    if (!parsed) return false;
    value_ = parsed;
    return true;
}

bool StringOption::setValue(const std::vector<std::string>& values) {
    if (values.empty()) return false;
    value_ = values.front();
    return true;
}

bool MultiStringOption::setValue(const std::vector<std::string>& values) {
    if (values.empty()) return false;
    value_ = values;
    return true;
}

}  // namespace support
