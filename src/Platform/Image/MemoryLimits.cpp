#include "Platform/Image/MemoryLimits.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace image::detail {

namespace {

// Version 1 writes "no limit" as the largest page-aligned 64-bit number, version 2 as "max".
constexpr std::uint64_t kNoLimitFrom = 1ull << 62;

std::optional<std::uint64_t> lesser(std::optional<std::uint64_t> a, std::optional<std::uint64_t> b) {
    if (!a) return b;
    if (!b) return a;
    return std::min(*a, *b);
}

std::optional<std::uint64_t> resourceLimit(int resource) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return std::nullopt;
    return std::uint64_t(limit.rlim_cur);
}

std::optional<std::uint64_t> limitInFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string word;
    if (!(in >> word) || word.empty() || word.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    try {
        const auto bytes = std::stoull(word);
        if (bytes >= kNoLimitFrom) return std::nullopt;
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The least limit in `fileName` of the group at `group` below `hierarchy` and of every group above it.
// Inside a container the group's path may lie outside what is mounted: the mount's own root, which is
// then the container's group, still counts.
std::optional<std::uint64_t> leastOnPath(const std::filesystem::path& hierarchy, std::string_view group,
                                         const char* fileName) {
    std::optional<std::uint64_t> least = limitInFile(hierarchy / fileName);
    std::filesystem::path folder = hierarchy;
    for (const auto& part : std::filesystem::path(std::string(group)).relative_path()) {
        if (part == "." || part == "..") continue;
        folder /= part;
        least = lesser(least, limitInFile(folder / fileName));
    }
    return least;
}

}  // namespace

std::optional<std::uint64_t> controlGroupMemoryLimit(std::string_view membership,
                                                     const std::filesystem::path& mountRoot) {
    std::optional<std::uint64_t> least;
    while (!membership.empty()) {
        const auto end = membership.find('\n');
        const auto line = membership.substr(0, end);
        membership = end == std::string_view::npos ? std::string_view() : membership.substr(end + 1);
        // "id:controllers:path"; version 2's line has id 0 and no controllers.
        const auto first = line.find(':');
        const auto second = first == std::string_view::npos ? first : line.find(':', first + 1);
        if (second == std::string_view::npos) continue;
        const auto id = line.substr(0, first);
        const auto controllers = line.substr(first + 1, second - first - 1);
        const auto path = line.substr(second + 1);
        if (id == "0" && controllers.empty()) {
            const auto unified =
                std::filesystem::exists(mountRoot / "unified") ? mountRoot / "unified" : mountRoot;
            least = lesser(least, leastOnPath(unified, path, "memory.max"));
        } else if (("," + std::string(controllers) + ",").find(",memory,") != std::string::npos) {
            least = lesser(least, leastOnPath(mountRoot / "memory", path, "memory.limit_in_bytes"));
        }
    }
    return least;
}

std::optional<std::uint64_t> processMemoryLimit() {
    std::optional<std::uint64_t> least = lesser(resourceLimit(RLIMIT_AS), resourceLimit(RLIMIT_DATA));
    std::ifstream in("/proc/self/cgroup");
    const std::string membership{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return lesser(least, controlGroupMemoryLimit(membership, "/sys/fs/cgroup"));
}

std::uint64_t memoryAvailableToProcess() {
    std::uint64_t machine = UINT64_MAX;
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) machine = std::uint64_t(pages) * std::uint64_t(pageSize);
    return std::min(machine, processMemoryLimit().value_or(UINT64_MAX));
}

}  // namespace image::detail
