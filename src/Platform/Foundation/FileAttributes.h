#pragma once
// The attributes of a file that the image list shows: size and the creation and modification
// dates; and whether an item is a special file. Reads the file system only; safe from any thread.

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

// True for a named pipe, socket or device (links followed): an item that is there but is neither a
// regular file nor a folder. Opening one to read it can wait for ever.
bool isSpecialFile(const std::filesystem::path& path);

}  // namespace foundation
