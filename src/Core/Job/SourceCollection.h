#pragma once
// Turning dropped files and folders into image records: folders are walked (hidden entries and
// symbolic links to folders left out, unreadable entries passed over), files are kept when their type
// is an image type, and each record carries the folder it was found in. Runs on any thread;
// publishImageList belongs to the main queue.

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"

namespace core {

// True when the file's type, judged by its name and content, is an image type: camera RAW files
// are images, PDF documents are not. A named pipe, socket or device is judged by its name alone and
// never opened: one named as an image is listed, so that the job can say why it skips it.
bool isImageFile(const std::filesystem::path& path);

// Records for the files of `urls`, in order; numbered "<baseName>-<n>" from `startIndex` (1) when a
// base name is given.
std::vector<SourceURLInfo> sourceInfosForURLs(const std::vector<std::filesystem::path>& urls,
                                              const std::optional<std::string>& baseName,
                                              std::optional<std::int64_t> startIndex);

// The image files named by `urls` and found in the folders among them (sorted by name, recursively),
// as records, those that cannot be read included; a file inside a dropped folder gets the folder's name as
// strRootPath and its own sub-folder path as strRelativePath. Once `cancelled`, when given, is set,
// the collection ends early with what it has.
std::vector<SourceURLInfo> walkSourceURLs(const std::vector<std::filesystem::path>& urls,
                                          const std::optional<std::string>& baseName,
                                          std::optional<std::int64_t> startIndex,
                                          const std::atomic<bool>* cancelled = nullptr);

// Replaces the image list with `records`; an empty collection keeps the list the user had.
void publishImageList(const std::vector<SourceURLInfo>& records);

}  // namespace core
