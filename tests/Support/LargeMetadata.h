#pragma once
// Small images carrying metadata far larger than any real file's, and TIFFs of hostile directory
// chains, for the tests of what reading them costs. Thread-safe.

#include <cstdint>
#include <filesystem>
#include <string>

namespace testsupport {

// Writes a valid 64 x 48 grey TIFF (every pixel 90) whose one directory also holds `tag` of `type`
// with a value of `bytes` bytes, all zero. The value is a hole in the file: it takes no disc.
void writeTiffWithLargeTag(const std::filesystem::path& file, std::uint16_t tag, std::uint16_t type,
                           std::uint64_t bytes);

// A TIFF of `directories` directories of `entries` entries each, every one overlapping the next (each
// starts one entry after the one before): a few hundred kilobytes whose directories add up to
// `directories` x `entries` x 12 bytes. Every entry names a tag no reader keeps.
std::string tiffOfOverlappingDirectories(std::uint32_t entries, std::uint32_t directories);

}  // namespace testsupport
