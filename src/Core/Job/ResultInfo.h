#pragma once
// The results of a job as the result screens show them: one group per preset with the images it
// handled. Plain values, handed from the engine to the screens as copies.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"

namespace core {

// One processed image of a result group.
struct ResultItemInfo {
    SourceURLInfo urlInfo;
    std::optional<bool> isSkipped;  // absent counts as false
    std::string skipReason;         // why the image was not written; empty for a done image
};

// One result group of a job.
struct ResultGroupInfo {
    std::string presetName;
    std::string dimension;
    std::int64_t countTotal = 0;
    std::int64_t countDone = 0;
    std::vector<ResultItemInfo> dataSub;
    // The position of the group's preset in its job: results are filed by it, so presets that share
    // a name or a size text never mix.
    std::int64_t presetIndex = -1;
};

}  // namespace core
