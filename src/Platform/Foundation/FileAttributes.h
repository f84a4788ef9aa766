#pragma once
// The attributes of a file that the image list shows: size and the creation and modification
// dates. Reads the file system only; safe from any thread.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "Platform/Foundation/Date.h"

namespace foundation {

struct FileAttributes {
    std::uint64_t size = 0;
    // Absent where the file system keeps no such date (many keep no creation date).
    std::optional<Date> creationDate;
    std::optional<Date> modificationDate;
};

// The attributes of the item at `path` (links followed); absent when they cannot be read.
std::optional<FileAttributes> attributesOfItem(const std::filesystem::path& path);

}  // namespace foundation
