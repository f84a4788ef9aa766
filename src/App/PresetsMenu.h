#pragma once
// The presets menu: one item per saved preset, to run it on newly chosen images. Main thread only.

#include <functional>
#include <string>
#include <vector>

#include "Core/Records/PresetInfo.h"

namespace appkit {
class Menu;
}  // namespace appkit

namespace mainmenu {

// Replaces the items of `menu` by one per preset, titled by its name. Choosing an item calls
// `choose` with the preset's row and name at the time of building; the receiver checks them against
// the list as it is then, so a usage count changed since does not stop the item working.
void rebuildPresetsMenu(appkit::Menu& menu, const std::vector<core::PresetInfo>& presets,
                        std::function<void(int row, const std::string& name)> choose);

}  // namespace mainmenu
