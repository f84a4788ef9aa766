#include "Platform/Foundation/Bookmark.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace foundation {
namespace {

// The data is this tag followed by the absolute path's bytes.
constexpr std::string_view kTag = "vorta-bookmark-1\n";

}  // namespace

std::optional<Data> bookmarkData(const std::filesystem::path& path) {
    std::error_code error;
    if (path.empty() || !std::filesystem::exists(path, error)) return std::nullopt;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
    if (error) return std::nullopt;
    const std::string text = absolute.string();
    Data data(kTag.begin(), kTag.end());
    data.insert(data.end(), text.begin(), text.end());
    return data;
}

std::optional<std::filesystem::path> resolveBookmarkData(const Data& data) {
    if (data.size() <= kTag.size() || !std::equal(kTag.begin(), kTag.end(), data.begin()))
        return std::nullopt;
    const std::string text(data.begin() + static_cast<std::ptrdiff_t>(kTag.size()), data.end());
    if (text.find('\0') != std::string::npos) return std::nullopt;
    std::filesystem::path path(text);
    std::error_code error;
    if (!path.is_absolute() || !std::filesystem::exists(path, error)) return std::nullopt;
    return path;
}

}  // namespace foundation
