#include "Core/Job/SourceCollection.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "Core/Records/SharedLists.h"
#include "Platform/Image/ImageInfo.h"

namespace core {

namespace {

struct FoundFile {
    std::filesystem::path path;
    std::string rootName;      // the dropped folder's name; empty for a dropped file
    std::string relativePath;  // the file's folder inside the dropped folder
};

bool isHidden(const std::filesystem::path& p) {
    return p.filename().string().starts_with(".");
}

void walkFolder(const std::filesystem::path& folder, std::vector<FoundFile>& out) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    auto it = std::filesystem::recursive_directory_iterator(
        folder, std::filesystem::directory_options::skip_permission_denied, ec);
    for (; !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (isHidden(it->path())) {
            if (it->is_directory(ec)) it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(ec) && hasImageExtension(it->path())) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    const std::string rootName = folder.filename().string();
    for (auto& f : files) {
        const auto relative = f.parent_path().lexically_relative(folder);
        out.push_back({f, rootName, relative == "." ? std::string() : relative.string()});
    }
}

// Records for the files that read as images, numbered when a base name is given.
std::vector<SourceURLInfo> makeRecords(const std::vector<FoundFile>& found,
                                       const std::optional<std::string>& baseName,
                                       std::optional<std::int64_t> startIndex) {
    std::vector<SourceURLInfo> records;
    std::int64_t n = startIndex.value_or(1);
    for (const auto& f : found) {
        // One header read decides whether the file is an image and fills the record.
        const auto header = image::readImageInfo(f.path);
        if (!header) continue;
        SourceURLInfo record;
        record.strRootPath = f.rootName;
        record.strRelativePath = f.relativePath;
        record.fillFileDetails(f.path, header);
        if (baseName) record = record.renamedCopy(*baseName, n++);
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace

bool hasImageExtension(const std::filesystem::path& path) {
    static constexpr std::array<std::string_view, 18> kImageExtensions = {
        "jpg",  "jpeg", "jpe", "jfif", "png",  "gif", "bmp", "tif", "tiff",
        "heic", "heif", "hif", "avif", "webp", "jp2", "j2k", "jpf", "jpx"};
    std::string ext = path.extension().string();
    if (ext.size() < 2) return false;
    ext.erase(0, 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return std::find(kImageExtensions.begin(), kImageExtensions.end(), ext) != kImageExtensions.end();
}

std::vector<SourceURLInfo> sourceInfosForURLs(const std::vector<std::filesystem::path>& urls,
                                              const std::optional<std::string>& baseName,
                                              std::optional<std::int64_t> startIndex) {
    std::vector<FoundFile> found;
    for (const auto& url : urls) found.push_back({url, {}, {}});
    return makeRecords(found, baseName, startIndex);
}

std::vector<SourceURLInfo> walkSourceURLs(const std::vector<std::filesystem::path>& urls,
                                          const std::optional<std::string>& baseName,
                                          std::optional<std::int64_t> startIndex) {
    std::vector<FoundFile> found;
    for (const auto& url : urls) {
        std::error_code ec;
        // A trailing separator still names the folder itself.
        const auto path = url.has_filename() ? url : url.parent_path();
        if (std::filesystem::is_directory(path, ec)) {
            walkFolder(path, found);
        } else if (hasImageExtension(path)) {
            found.push_back({path, {}, {}});
        }
    }
    return makeRecords(found, baseName, startIndex);
}

void publishImageList(const std::vector<SourceURLInfo>& records) {
    if (records.empty()) return;
    sharedImageList().replaceAll(records);
}

}  // namespace core
