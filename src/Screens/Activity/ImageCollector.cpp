#include "Screens/Activity/ImageCollector.h"

#include <QString>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "Core/Job/FolderWalk.h"
#include "Core/Job/SourceCollection.h"
#include "Core/Rename/RenameEngine.h"

namespace fs = std::filesystem;

namespace screens {
namespace {

// The canonical (composed) form of a path, so that the composed and decomposed spellings of one name
// compare equal.
std::string canonicalText(const std::string& text) {
    return QString::fromStdString(text).normalized(QString::NormalizationForm_C).toStdString();
}

struct FoundFile {
    fs::path path;
    std::string rootName;      // the added folder's name; empty for a file added by itself
    std::string relativePath;  // the file's folder inside the added folder
};

// Depth first, entries of each folder in name order: a folder's files and sub-folders are listed
// where the folder's name sorts. An entry that cannot be read is passed over.
void walkFolder(const fs::path& root, std::vector<FoundFile>& out, const std::atomic<bool>* cancelled) {
    core::walkVisibleEntries(
        root,
        [&](const fs::directory_entry& entry) {
            std::error_code ec;
            if (!entry.is_regular_file(ec) || !core::isImageFile(entry.path())) return;
            const auto relative = entry.path().parent_path().lexically_relative(root);
            out.push_back({entry.path(), root.filename().string(),
                           relative == "." ? std::string() : relative.string()});
        },
        cancelled);
}

// Reading a file's details is mostly waiting for the disk: several files are read at once, each
// record filled by one thread only.
void fillRecords(const std::vector<FoundFile>& found, std::vector<core::SourceURLInfo>& records,
                 const std::atomic<bool>* cancelled) {
    const std::size_t threads = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < found.size() && !core::isCancelled(cancelled); i = next++) {
            records[i].strRootPath = found[i].rootName;
            records[i].strRelativePath = found[i].relativePath;
            records[i].fillFileDetails(found[i].path);
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < std::min(threads, found.size()); ++t) helpers.emplace_back(work);
    work();
    for (auto& helper : helpers) helper.join();
}

// The image files adding `urls` would bring, in their order, less those already in the list.
std::vector<FoundFile> findNewImages(const std::vector<std::string>& urls,
                                     const std::vector<std::string>& knownPaths,
                                     const std::atomic<bool>* cancelled) {
    std::vector<FoundFile> found;
    for (const auto& url : urls) {
        if (core::isCancelled(cancelled)) return {};
        if (isFolderPath(url)) {
            fs::path folder(url);
            if (!folder.has_filename()) folder = folder.parent_path();
            walkFolder(folder, found, cancelled);
        } else if (core::isImageFile(url)) {
            found.push_back({fs::path(url), {}, {}});
        }
    }
    const KnownPaths known(knownPaths);
    std::erase_if(found, [&](const FoundFile& file) { return known.contains(file.path.string()); });
    return found;
}

}  // namespace

bool isFolderPath(const std::string& path) {
    if (!path.empty() && path.back() == '/') return true;
    std::error_code ec;
    return fs::is_directory(path, ec);
}

KnownPaths::KnownPaths(const std::vector<std::string>& paths) {
    for (const auto& path : paths) canonical_.insert(canonicalText(path));
}

bool KnownPaths::contains(const std::string& path) const {
    return canonical_.count(canonicalText(path)) != 0;
}

bool KnownPaths::holdsSomeInside(const std::string& folder) const {
    // No composition reaches across a "/": the canonical folder is the start of the canonical form of
    // every path inside it.
    std::string prefix = canonicalText(folder);
    if (prefix.empty() || prefix.back() != '/') prefix += '/';
    const auto next = canonical_.lower_bound(prefix);
    return next != canonical_.end() && next->starts_with(prefix);
}

std::vector<core::SourceURLInfo> collectImages(const std::vector<std::string>& urls,
                                               const std::vector<std::string>& knownPaths,
                                               const core::RenameOptions& options,
                                               const std::atomic<bool>* cancelled) {
    const std::vector<FoundFile> found = findNewImages(urls, knownPaths, cancelled);
    if (found.empty()) return {};
    std::vector<core::SourceURLInfo> batch(found.size());
    fillRecords(found, batch, cancelled);
    if (core::isCancelled(cancelled)) return {};
    return core::buildRenamedOutputURLs(batch, "Default", options);
}

std::size_t countNewImages(const std::vector<std::string>& urls, const std::vector<std::string>& knownPaths,
                           const std::atomic<bool>* cancelled) {
    return findNewImages(urls, knownPaths, cancelled).size();
}

}  // namespace screens
