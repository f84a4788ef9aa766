#pragma once
// Filing a job's results per preset and turning them into what the result screens show: the count
// rows of the preset table, the done grid and the groups handed to sharing; plus the size of the
// job folder as text. Results are filed by the preset's position in the job, so two presets with the
// same name or size text never mix. Pure functions on values; safe on any thread.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Core/Job/ResultInfo.h"
#include "Core/Records/PresetInfo.h"

namespace core {

// Files `record` under the preset at `presetIndex` of the job: appended to that preset's group, or to a
// new group {presetName, dimension = the preset's size text} at the end of `list`.
void addResultToGroups(const SourceURLInfo& record, const PresetInfo& preset, std::int64_t presetIndex,
                       std::vector<ResultGroupInfo>& list, std::string skipReason = {});

// One count row per preset: its name, `total`, and the number of images its done group holds.
std::vector<ResultGroupInfo> fillPresetResultRows(const std::vector<PresetInfo>& presets, std::int64_t total,
                                                  const std::vector<ResultGroupInfo>& doneList);

// One item per preset and image (presets outer), marked skipped unless that preset wrote the image;
// a done item carries the record with its output path. Empty for a job of the Rename tab.
std::vector<ResultItemInfo> fillDoneResultsGrid(const std::vector<PresetInfo>& presets,
                                                const std::vector<SourceURLInfo>& imageSet,
                                                const std::vector<ResultGroupInfo>& doneList,
                                                bool renameTabSelected);

// Per count row: the preset's done items (isSkipped false) followed by its skipped ones (true).
std::vector<ResultGroupInfo> groupResultsByPresetAndDimension(
    const std::vector<ResultGroupInfo>& rows, const std::vector<ResultGroupInfo>& doneList,
    const std::vector<ResultGroupInfo>& skippedList);

// The items under "dataSub" of the group at `index`; empty when there is no such group.
std::vector<ResultItemInfo> resultItems(std::int64_t index, const std::vector<ResultGroupInfo>& list);

// Size in bytes of the file at `path` (0, with a printed line, when it cannot be read).
std::uint64_t fileSize(const std::string& path);
// Total size of everything below `folder`, hidden entries left out; 0 when absent.
std::uint64_t folderSize(const std::optional<std::filesystem::path>& folder);
// "%4.2f %@" with a 1024-based unit: 1024 -> "1024.00 bytes", 1025 -> "1.00 KB".
std::string formattedByteCount(std::uint64_t bytes);

}  // namespace core
