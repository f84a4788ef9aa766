#include "Core/Job/ResultGroups.h"

#include "Core/Job/FolderWalk.h"
#include "Platform/Foundation/Formatters.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace core {

namespace {

const ResultGroupInfo* groupOfPreset(const std::vector<ResultGroupInfo>& list, std::int64_t presetIndex) {
    for (const auto& g : list)
        if (g.presetIndex == presetIndex) return &g;
    return nullptr;
}

}  // namespace

void addResultToGroups(const SourceURLInfo& record, const PresetInfo& preset, std::int64_t presetIndex,
                       std::vector<ResultGroupInfo>& list, std::string skipReason) {
    ResultItemInfo item{record, std::nullopt, std::move(skipReason)};
    for (auto& group : list) {
        if (group.presetIndex == presetIndex) {
            group.dataSub.push_back(std::move(item));
            return;
        }
    }
    ResultGroupInfo group;
    group.presetName = presetName(preset);
    group.dimension = presetSizeText(preset);
    group.presetIndex = presetIndex;
    group.dataSub.push_back(std::move(item));
    list.push_back(std::move(group));
}

std::vector<ResultGroupInfo> fillPresetResultRows(const std::vector<PresetInfo>& presets, std::int64_t total,
                                                  const std::vector<ResultGroupInfo>& doneList) {
    std::vector<ResultGroupInfo> rows;
    rows.reserve(presets.size());
    for (std::size_t i = 0; i < presets.size(); ++i) {
        ResultGroupInfo row;
        const auto it = presets[i].find(presetkey::presetName);
        row.presetName = (it != presets[i].end() && it->second.stringIf()) ? *it->second.stringIf() : "";
        row.presetIndex = static_cast<std::int64_t>(i);
        row.countTotal = total;
        const auto* done = groupOfPreset(doneList, row.presetIndex);
        row.countDone = done ? static_cast<std::int64_t>(done->dataSub.size()) : 0;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<ResultItemInfo> fillDoneResultsGrid(const std::vector<PresetInfo>& presets,
                                                const std::vector<SourceURLInfo>& imageSet,
                                                const std::vector<ResultGroupInfo>& doneList,
                                                bool renameTabSelected) {
    std::vector<ResultItemInfo> items;
    if (renameTabSelected) return items;
    items.reserve(presets.size() * imageSet.size());
    for (std::size_t p = 0; p < presets.size(); ++p) {
        const auto* done = groupOfPreset(doneList, static_cast<std::int64_t>(p));
        for (const auto& image : imageSet) {
            ResultItemInfo item{image, true, {}};
            if (done) {
                for (const auto& d : done->dataSub) {
                    if (d.urlInfo.id == image.id) {
                        item.urlInfo = d.urlInfo;
                        item.isSkipped = false;
                        break;
                    }
                }
            }
            items.push_back(std::move(item));
        }
    }
    return items;
}

std::vector<ResultGroupInfo> groupResultsByPresetAndDimension(
    const std::vector<ResultGroupInfo>& rows, const std::vector<ResultGroupInfo>& doneList,
    const std::vector<ResultGroupInfo>& skippedList) {
    std::vector<ResultGroupInfo> result;
    for (const auto& row : rows) {
        ResultGroupInfo group;
        group.presetName = row.presetName;
        group.dimension = row.dimension;
        group.presetIndex = row.presetIndex;
        const auto append = [&](const std::vector<ResultGroupInfo>& list, bool skipped) {
            if (const auto* g = groupOfPreset(list, row.presetIndex)) {
                for (auto item : g->dataSub) {
                    item.isSkipped = skipped;
                    group.dataSub.push_back(std::move(item));
                }
            }
        };
        append(doneList, false);
        append(skippedList, true);
        result.push_back(std::move(group));
    }
    return result;
}

std::vector<ResultItemInfo> resultItems(std::int64_t index, const std::vector<ResultGroupInfo>& list) {
    if (index < 0 || index >= static_cast<std::int64_t>(list.size())) return {};
    return list[static_cast<std::size_t>(index)].dataSub;
}

std::uint64_t fileSize(const std::string& path) {
    if (path.empty()) return 0;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        std::cout << "File size error: " << std::strerror(errno) << " (" << path << ")" << std::endl;
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint64_t folderSize(const std::optional<std::filesystem::path>& folder) {
    if (!folder) return 0;
    std::uint64_t total = 0;
    walkVisibleEntries(*folder, [&](const std::filesystem::directory_entry& entry) {
        total += fileSize(entry.path().string());
    });
    return total;
}

std::string formattedByteCount(std::uint64_t bytes) {
    static constexpr std::array<const char*, 9> units = {"bytes", "KB", "MB", "GB", "TB",
                                                         "PB",    "EB", "ZB", "YB"};
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    if (bytes >= 1025) {
        do {
            ++unit;
            value /= 1024.0;
        } while (value > 1024.0 && unit + 1 < units.size());
    }
    // Two fraction digits, written with the user's decimal separator.
    return foundation::formatDecimal(value, 2, 2) + " " + units[unit];
}

}  // namespace core
