#pragma once
// The rename engine: works out every image's file name after a rename run and the path under that
// name. A pure function of its arguments (the options come in as a copy taken when the run starts),
// so it runs on the main queue for the preview and on a worker while images are collected.

#include <string_view>
#include <vector>

#include "Core/Records/SourceURLInfo.h"
#include "Core/Rename/RenameOptions.h"

namespace core {

// One record per given record, in order. Each record whose bookmark resolves gets `url` (the file)
// and `updatedUrl` (the same folder, the new name); a record without a resolvable bookmark comes back
// unchanged, a line naming it goes to standard output, and the numbering does not move for it.
// `outputFormat` is "Default" (any letter case) to keep each file's extension, or ".ext" to take
// that one. New names are always one safe path component.
std::vector<SourceURLInfo> buildRenamedOutputURLs(const std::vector<SourceURLInfo>& records,
                                                  std::string_view outputFormat,
                                                  const RenameOptions& options);

}  // namespace core
