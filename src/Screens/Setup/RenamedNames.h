#pragma once
// The new names of a rename run as the option pane shows them and the run writes them: the rename
// engine's names, made distinct the way the writer would make them (the second file that would
// take "a.jpg" in the same output folder is named "a (2).jpg"), so that the names shown beside the
// images are exactly the names of the copies. Pure; any thread.

#include <string>
#include <string_view>
#include <vector>

#include "Core/Records/SourceURLInfo.h"
#include "Core/Rename/RenameOptions.h"

namespace screens {

// One record per record, in order, each carrying its new name in `updatedUrl`; no two records
// that land in the same output folder share a name.
std::vector<core::SourceURLInfo> renamedRecords(const std::vector<core::SourceURLInfo>& records,
                                                std::string_view outputFormat,
                                                const core::RenameOptions& options);

// The sample name shown in the option pane for `format`: the sample stem with its own extension for
// "Default" (any case) or an empty format, else with the format's (without its leading ".").
std::string demoLabelWithFormat(std::string_view stem, std::string_view extension, std::string_view format);

}  // namespace screens
