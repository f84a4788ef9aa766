#pragma once
// The growth of this process's resident memory over a piece of work, for tests of what the work
// costs: the peak is set back to the resident size first. Not meaningful under a sanitizer.

#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace testsupport {

// A memory figure of this process from /proc/self/status in kB ("VmRSS", "VmHWM"), -1 when absent.
inline long statusKilobytes(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

// Sets the high-water mark back to the current resident size.
inline bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    return bool(clear);
}

// How far above its resident size at the start the process's memory rose while `work` ran, in kB;
// absent when the kernel does not let the peak be set back.
inline std::optional<long> peakGrowthKilobytes(const std::function<void()>& work) {
    if (!resetPeak()) return std::nullopt;
    const long before = statusKilobytes("VmRSS");
    work();
    return statusKilobytes("VmHWM") - before;
}

}  // namespace testsupport
