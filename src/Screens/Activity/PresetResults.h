#pragma once
// PresetResults: what the per-preset result table sends with the segue that opens one preset's
// results: the items to show and the title. A plain value.

#include <string>
#include <vector>

#include "Core/Job/ResultInfo.h"

struct PresetResults {
    std::vector<core::ResultItemInfo> items;
    std::string title;
};
