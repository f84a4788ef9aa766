#pragma once
// The pattern text of a Box: entries separated by "|", each "name", "name*size" or
// "name*size*degrees". A plain value and pure functions; any thread.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace controls {

struct BoxPattern {
    std::string imageName;
    std::optional<int> size;     // redraw at size x size; absent (not a whole number, or 0 or less): keep
    std::optional<int> degrees;  // turn; absent (no third part or not a whole number): none

    static std::vector<std::string> entries(std::string_view text);
    static BoxPattern parse(std::string_view entry);
};

}  // namespace controls
