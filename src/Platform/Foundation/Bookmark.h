#pragma once
// Bookmarks: opaque data that remembers a file or folder so that it can be found again later, in
// this run or after a restart (the settings keep it). Resolving gives the item's path while it
// still exists. Pure functions over the file system; safe from any thread.

#include <filesystem>
#include <optional>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

// Data for the existing file or folder at `path`; absent when there is no such item.
std::optional<Data> bookmarkData(const std::filesystem::path& path);

// The absolute path that `data` remembers, when it is bookmark data and the item is still there;
// absent otherwise.
std::optional<std::filesystem::path> resolveBookmarkData(const Data& data);

}  // namespace foundation
