#pragma once
// The process-wide lists: the user's presets and the images to process. Made on first use and kept
// until the process ends; the screens change them on the main queue, a worker reads a snapshot.

#include "Core/Records/PresetInfo.h"
#include "Core/Records/SharedList.h"
#include "Core/Records/SourceURLInfo.h"

namespace core {

using PresetList = SharedList<PresetInfo>;
using ImageList = SharedList<SourceURLInfo>;

PresetList& sharedPresetList();
ImageList& sharedImageList();

}  // namespace core
