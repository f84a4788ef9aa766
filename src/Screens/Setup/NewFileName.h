#pragma once
// The new file name rule of the Rename tab: the name one file gets under the six rename options, as
// the option pane previews it. It is built from the same steps as the rename engine's names, so the
// preview and the written name agree for the first image of a run. Pure; any thread.

#include <string>
#include <string_view>

#include "Core/Rename/RenameOptions.h"

namespace screens {

// The new file name (no folder part) of `path` (a bare name or a full path) under `options`.
// `outputFormat` is "Default" (any letter case) or any text without a leading "." to keep the
// source extension, or ".ext" to take that one. The result is always one safe path component.
std::string renamedFileName(std::string_view path, std::string_view outputFormat,
                            const core::RenameOptions& options);
// The same under the process-wide rename options as they are at the moment of the call.
std::string renamedFileName(std::string_view path, std::string_view outputFormat);

}  // namespace screens
