#pragma once
// Sharing a job's results: which output files can be shared, and the share picker shown next to the
// control that asked. Main thread only.

#include <QWidget>
#include <string>
#include <vector>

#include "Core/Job/ResultInfo.h"

namespace results {

// The output files of the written items, in order: skipped items, empty paths and files that no
// longer exist are left out, so the picker is never handed a folder or a missing file.
std::vector<std::string> shareablePaths(const std::vector<core::ResultItemInfo>& items);

// Shows the share picker for `paths` below `sender`; nothing without a path.
void presentSharePicker(const std::vector<std::string>& paths, QWidget* sender);

}  // namespace results
