#pragma once
// Finding every occurrence of a text in another, as ranges counted in UTF-16 code units (the form
// text ranges take in the interface toolkit). Pure; any thread.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace screens {

struct TextRange16 {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const TextRange16&) const = default;
};

// Every non-overlapping occurrence of `find` in `text` within `range` (the whole text when absent),
// left to right, respecting letter case unless `ignoringCase`. An empty `find` or range gives none.
std::vector<TextRange16> nsRanges(std::string_view text, std::string_view find, bool ignoringCase = false,
                                  std::optional<TextRange16> range = std::nullopt);

}  // namespace screens
