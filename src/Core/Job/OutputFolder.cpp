#include "Core/Job/OutputFolder.h"

#include "Platform/Foundation/Bookmark.h"

namespace core {

bool storeOutputFolder(foundation::UserDefaults& defaults, const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) return false;
    const auto data = foundation::bookmarkData(folder);
    if (!data) return false;
    defaults.set(kSavingLocationKey, foundation::PlistValue(*data));
    return true;
}

std::optional<std::filesystem::path> resolveOutputFolder(const foundation::UserDefaults& defaults) {
    const auto data = defaults.data(kSavingLocationKey);
    if (!data) return std::nullopt;
    auto folder = foundation::resolveBookmarkData(*data);
    std::error_code error;
    if (!folder || !std::filesystem::is_directory(*folder, error)) return std::nullopt;
    return folder;
}

}  // namespace core
