#pragma once
// The memory this process may have: the machine's, and the least of the limits set on it (its
// address space, its data segment and its control group's memory). Allocations fail at the least of
// them, long before the machine's memory runs out. Read anew on each call. Thread-safe.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace image::detail {

// The least of the limits set on this process; absent when none is set.
std::optional<std::uint64_t> processMemoryLimit();

// The least of the machine's memory and of processMemoryLimit().
std::uint64_t memoryAvailableToProcess();

// The least memory limit of the control group named in `membership` (the text of /proc/self/cgroup)
// and of the groups above it, read from the control group file systems mounted at `mountRoot`
// (version 2's memory.max, version 1's memory.limit_in_bytes); absent when none is set.
std::optional<std::uint64_t> controlGroupMemoryLimit(std::string_view membership,
                                                     const std::filesystem::path& mountRoot);

}  // namespace image::detail
