#include "Controls/BoxPattern.h"

#include <charconv>

namespace controls {

namespace {

std::vector<std::string> split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(
            text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

std::vector<std::string> BoxPattern::entries(std::string_view text) {
    return split(text, '|');
}

BoxPattern BoxPattern::parse(std::string_view entry) {
    const std::vector<std::string> parts = split(entry, '*');
    BoxPattern pattern;
    pattern.imageName = parts.size() == 1 ? std::string(entry) : parts[0];
    if (parts.size() >= 2) {
        const auto n = wholeNumber(parts[1]);
        if (n && *n > 0) pattern.size = n;
    }
    if (parts.size() >= 3) pattern.degrees = wholeNumber(parts[2]);
    return pattern;
}

}  // namespace controls
