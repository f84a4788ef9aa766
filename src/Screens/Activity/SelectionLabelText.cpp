#include "Screens/Activity/SelectionLabelText.h"

namespace screens {

std::string selectionLabelText(const std::vector<int>& selectedItems,
                               const std::vector<core::SourceURLInfo>& images) {
    if (selectedItems.empty()) return std::to_string(images.size()) + " Images";
    if (selectedItems.size() == 1) {
        const int item = selectedItems.front();
        const bool inList = item >= 0 && static_cast<std::size_t>(item) < images.size();
        return "Path: " + (inList ? images[static_cast<std::size_t>(item)].strFullPath : std::string());
    }
    return std::to_string(selectedItems.size()) + " Selected";
}

}  // namespace screens
