#pragma once
// CPU time of the whole process (every thread), for benchmarks that must read steadily on a busy machine.

#include <time.h>

#include <algorithm>

namespace bench {

inline double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The least CPU time of three runs of `work`.
template <typename Work>
double leastOfThree(Work work) {
    double least = 1e300;
    for (int i = 0; i < 3; ++i) {
        const double start = cpuMilliseconds();
        work();
        least = std::min(least, cpuMilliseconds() - start);
    }
    return least;
}

}  // namespace bench
