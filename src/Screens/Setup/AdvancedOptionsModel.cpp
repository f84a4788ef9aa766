#include "Screens/Setup/AdvancedOptionsModel.h"

#include <algorithm>

namespace setup {

WidthLayout advancedWidthLayout(double width, bool firstLayout) {
    if (firstLayout) return {width >= 604, width <= 400};
    return {width > 604, width <= 600};
}

OptionRows rowsForSegment(int segment) {
    switch (segment) {
        case 0:
            return {true, true, true, true};
        case 1:
            return {false, true, false, false};
        case 2:
            return {false, false, false, true};
        default:
            return {};
    }
}

double sizeListHeight(std::size_t count) {
    return static_cast<double>(count) * 40 + 105;
}

std::vector<core::PresetInfo> mergePickedSizes(const std::vector<core::PresetInfo>& current,
                                               const std::vector<core::PresetInfo>& picked) {
    const auto contains = [](const std::vector<core::PresetInfo>& list, const core::PresetInfo& p) {
        return std::find(list.begin(), list.end(), p) != list.end();
    };
    std::vector<core::PresetInfo> merged;
    for (const auto& size : current)
        if (contains(picked, size) && !contains(merged, size)) merged.push_back(size);
    for (const auto& size : picked)
        if (!contains(merged, size)) merged.push_back(size);
    return merged;
}

core::PresetInfo placeholderPreset() {
    return {{std::string(core::presetkey::markDummy), true}};
}

std::string jobOutputFormat(const std::string& strOutputFormat) {
    if (!strOutputFormat.empty() && strOutputFormat.front() == '.') return strOutputFormat.substr(1);
    return strOutputFormat;
}

std::vector<core::PresetInfo> raiseUsageCounts(core::PresetList& list,
                                               const std::vector<core::PresetInfo>& presets) {
    std::vector<core::PresetInfo> updated = presets;
    list.modify([&](std::vector<core::PresetInfo>& items) {
        for (auto& preset : updated) {
            const auto it = std::find(items.begin(), items.end(), preset);
            if (it == items.end()) continue;
            const auto count = it->find(core::presetkey::countUsage);
            const std::int64_t* value = count == it->end() ? nullptr : count->second.integerIf();
            (*it)[std::string(core::presetkey::countUsage)] = value ? *value + 1 : std::int64_t{1};
            preset = *it;
        }
    });
    return updated;
}

}  // namespace setup
