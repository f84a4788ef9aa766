#include "Screens/Activity/ResultSharing.h"

#include <filesystem>

#include "Platform/AppKit/SharingMenu.h"

namespace results {

std::vector<std::string> shareablePaths(const std::vector<core::ResultItemInfo>& items) {
    std::vector<std::string> paths;
    for (const auto& item : items) {
        if (item.isSkipped.value_or(false)) continue;
        const std::string& path = item.urlInfo.strFinalOutputFilePath;
        std::error_code ec;
        if (path.empty() || !std::filesystem::is_regular_file(path, ec)) continue;
        paths.push_back(path);
    }
    return paths;
}

void presentSharePicker(const std::vector<std::string>& paths, QWidget* sender) {
    if (paths.empty()) return;
    appkit::SharingPicker(paths).showRelativeTo(sender);
}

}  // namespace results
