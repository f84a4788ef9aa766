#pragma once
// The one selection label of the list panes: the image count followed by " Images" when nothing is
// selected, "Path: " and the full path for one selected image, the count followed by " Selected"
// for several. Pure; any thread.

#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"

namespace screens {

std::string selectionLabelText(const std::vector<int>& selectedItems,
                               const std::vector<core::SourceURLInfo>& images);

}  // namespace screens
