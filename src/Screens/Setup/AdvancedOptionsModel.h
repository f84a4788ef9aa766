#pragma once
// The rules of the Advanced tab, worked out from values alone: which parts show at a window width,
// which option rows a segment shows, how tall the size list is, how picked sizes replace the list,
// and what a run hands the engine. Pure functions, except raiseUsageCounts which changes the shared
// preset list (thread-safe).

#include <string>
#include <vector>

#include "Core/Records/PresetInfo.h"
#include "Core/Records/SharedLists.h"

namespace setup {

// On the first layout wide is width >= 604 and compact width <= 400; later wide is width > 604
// and compact width <= 600.
struct WidthLayout {
    bool wide = false;
    bool compact = false;
};
WidthLayout advancedWidthLayout(double width, bool firstLayout);

// Segment 0 shows every row, 1 the sizes only, 2 the rename row only, anything else none.
struct OptionRows {
    bool effects = false, resize = false, format = false, rename = false;
    bool operator==(const OptionRows&) const = default;
};
OptionRows rowsForSegment(int segment);

// The size list's height for `count` chosen sizes: 40 a row and 105 for the rest.
double sizeListHeight(std::size_t count);

// The list after the picker's Done: the current sizes still handed back keep their places (a size
// unticked in the picker leaves), the new ones follow in the order given, none twice.
std::vector<core::PresetInfo> mergePickedSizes(const std::vector<core::PresetInfo>& current,
                                               const std::vector<core::PresetInfo>& picked);

// The one-entry preset of a run without a chosen size.
core::PresetInfo placeholderPreset();
// The format as the engine takes it: one leading "." dropped ("Default" stays).
std::string jobOutputFormat(const std::string& strOutputFormat);

// Each preset of `presets` that is (as a whole) in `list` counts one more use there. Returns the
// presets as the list now holds them, so that copies kept elsewhere find them again next time.
std::vector<core::PresetInfo> raiseUsageCounts(core::PresetList& list,
                                               const std::vector<core::PresetInfo>& presets);

}  // namespace setup
