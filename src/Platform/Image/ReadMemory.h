#pragma once
// The memory a read of a file holds before its pixels are decoded, for callers that admit reads
// against a budget, and a check that so much can be had now. Thread-safe.

#include <cstdint>
#include <filesystem>
#include <string>

namespace image {

// What reading the header of `file` holds at most (its loader's copies of the metadata blocks, and
// the whole file for the formats whose loaders read it so); 0 when it cannot be opened.
std::uint64_t headerReadBytes(const std::filesystem::path& file);

// True when `bytes` can be allocated now: the decoders allocate through GLib, which ends the process
// when an allocation fails. Otherwise false, with words of running out of memory in `error`.
bool memoryCanBeHad(std::uint64_t bytes, std::string* error);

}  // namespace image
