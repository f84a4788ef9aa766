#include "Core/Job/SourceCollection.h"

#include "Core/Job/FolderWalk.h"
#include "Core/Records/SharedLists.h"
#include "Platform/Foundation/FileAttributes.h"
#include "Platform/Foundation/UTType.h"
#include "Platform/Image/ImageInfo.h"

namespace core {

namespace {

struct FoundFile {
    std::filesystem::path path;
    std::string rootName;      // the dropped folder's name; empty for a dropped file
    std::string relativePath;  // the file's folder inside the dropped folder
};

void walkFolder(const std::filesystem::path& folder, std::vector<FoundFile>& out,
                const std::atomic<bool>* cancelled) {
    const std::string rootName = folder.filename().string();
    walkVisibleEntries(
        folder,
        [&](const std::filesystem::directory_entry& entry) {
            std::error_code ec;
            if (!entry.is_regular_file(ec) || !isImageFile(entry.path())) return;
            const auto relative = entry.path().parent_path().lexically_relative(folder);
            out.push_back({entry.path(), rootName, relative == "." ? std::string() : relative.string()});
        },
        cancelled);
}

// Records for the image files, numbered when a base name is given. An image that cannot be read
// (a camera RAW, a damaged file) is listed all the same: the job skips it and says why.
std::vector<SourceURLInfo> makeRecords(const std::vector<FoundFile>& found,
                                       const std::optional<std::string>& baseName,
                                       std::optional<std::int64_t> startIndex,
                                       const std::atomic<bool>* cancelled = nullptr) {
    std::vector<SourceURLInfo> records;
    std::int64_t n = startIndex.value_or(1);
    for (const auto& f : found) {
        if (isCancelled(cancelled)) break;
        // One header read fills the record.
        const auto header = image::readImageInfo(f.path);
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

bool isImageFile(const std::filesystem::path& path) {
    if (foundation::isSpecialFile(path)) return foundation::UTType::ofFileName(path).conformsToImage();
    return foundation::UTType::ofFile(path).conformsToImage();
}

std::vector<SourceURLInfo> sourceInfosForURLs(const std::vector<std::filesystem::path>& urls,
                                              const std::optional<std::string>& baseName,
                                              std::optional<std::int64_t> startIndex) {
    std::vector<FoundFile> found;
    for (const auto& url : urls) {
        if (isImageFile(url)) found.push_back({url, {}, {}});
    }
    return makeRecords(found, baseName, startIndex);
}

std::vector<SourceURLInfo> walkSourceURLs(const std::vector<std::filesystem::path>& urls,
                                          const std::optional<std::string>& baseName,
                                          std::optional<std::int64_t> startIndex,
                                          const std::atomic<bool>* cancelled) {
    std::vector<FoundFile> found;
    for (const auto& url : urls) {
        if (isCancelled(cancelled)) break;
        std::error_code ec;
        // A trailing separator still names the folder itself.
        const auto path = url.has_filename() ? url : url.parent_path();
        if (std::filesystem::is_directory(path, ec)) {
            walkFolder(path, found, cancelled);
        } else if (isImageFile(path)) {
            found.push_back({path, {}, {}});
        }
    }
    return makeRecords(found, baseName, startIndex, cancelled);
}

void publishImageList(const std::vector<SourceURLInfo>& records) {
    if (records.empty()) return;
    sharedImageList().replaceAll(records);
}

}  // namespace core
