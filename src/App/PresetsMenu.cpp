#include "App/PresetsMenu.h"

#include "Platform/AppKit/Menu.h"

namespace mainmenu {

void rebuildPresetsMenu(appkit::Menu& menu, const std::vector<core::PresetInfo>& presets,
                        std::function<void(int row, const std::string& name)> choose) {
    menu.removeAllItems();
    for (std::size_t row = 0; row < presets.size(); ++row) {
        const auto it = presets[row].find("presetName");
        const std::string* text = it == presets[row].end() ? nullptr : it->second.stringIf();
        const std::string name = text ? *text : "";
        menu.addItem(QString::fromStdString(name),
                     [choose, row = static_cast<int>(row), name](appkit::MenuItem&) {
                         if (choose) choose(row, name);
                     });
    }
}

}  // namespace mainmenu
