#include "Platform/Foundation/FileAttributes.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace foundation {
namespace {

Date dateOf(const struct statx_timestamp& t) {
    return Date::fromSecondsSince1970(static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9);
}

}  // namespace

std::optional<FileAttributes> attributesOfItem(const std::filesystem::path& path) {
    struct statx info {};
    if (statx(AT_FDCWD, path.c_str(), 0, STATX_SIZE | STATX_MTIME | STATX_BTIME, &info) != 0)
        return std::nullopt;
    FileAttributes attributes;
    if (info.stx_mask & STATX_SIZE) attributes.size = info.stx_size;
    if (info.stx_mask & STATX_BTIME) attributes.creationDate = dateOf(info.stx_btime);
    if (info.stx_mask & STATX_MTIME) attributes.modificationDate = dateOf(info.stx_mtime);
    return attributes;
}

bool isSpecialFile(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
           !std::filesystem::is_directory(status);
}

}  // namespace foundation
