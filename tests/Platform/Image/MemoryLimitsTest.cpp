#include <gtest/gtest.h>

#include <pthread.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "Platform/Image/DecodeBudget.h"
#include "Platform/Image/MemoryLimits.h"
#include "Platform/Image/VipsRuntime.h"
#include "Support/Sanitizers.h"
#include "Support/TempDir.h"

using testsupport::TempDir;

namespace {

constexpr std::uint64_t kLimit = 1'000'000ull * 1024;

// Runs `check` in a child process under `resource` at kLimit, so the limit never reaches this one;
// true when the check held there.
bool holdsUnderLimit(int resource, const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit{kLimit, kLimit};
        ::_exit(::setrlimit(resource, &limit) == 0 && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

std::size_t defaultStackBytes() {
    pthread_attr_t defaults;
    std::size_t bytes = 0;
    if (pthread_getattr_default_np(&defaults) != 0) return 0;
    pthread_attr_getstacksize(&defaults, &bytes);
    pthread_attr_destroy(&defaults);
    return bytes;
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
}

}  // namespace

TEST(MemoryLimits, AnAddressSpaceOrDataLimitBoundsTheDecodeBudgetAndThreadStacks) {
    // Either limit makes allocations fail long before the machine's memory runs out: the budget is a
    // quarter of it, and every thread started afterwards reserves 2 MB of stack, not 8.
    if (testsupport::underSanitizer) GTEST_SKIP() << "a sanitizer's shadow memory cannot map under the limit";
    for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
        const char* name = resource == RLIMIT_AS ? "address space" : "data segment";
        EXPECT_TRUE(holdsUnderLimit(resource, [] { return image::detail::processMemoryLimit() == kLimit; }))
            << name;
        EXPECT_TRUE(holdsUnderLimit(resource, [] {
            return image::DecodeBudget::defaultBytes() <= kLimit / 4;
        })) << name;
        EXPECT_TRUE(holdsUnderLimit(resource, [] {
            image::detail::keepThreadStacksSmallUnderMemoryLimit();
            return defaultStackBytes() == 2u * 1024 * 1024;
        })) << name;
    }
}

TEST(MemoryLimits, TheControlGroupsLeastMemoryLimitIsRead) {
    struct Case {
        const char* name;
        const char* membership;
        std::vector<std::pair<const char*, const char*>> files;  // below the mount root
        std::optional<std::uint64_t> limit;
    };
    const Case cases[] = {
        {"version 2, own group",
         "0::/user/session\n",
         {{"user/session/memory.max", "536870912"}, {"user/memory.max", "max"}},
         536870912},
        {"version 2, a group above is less",
         "0::/user/session\n",
         {{"user/session/memory.max", "max"}, {"user/memory.max", "268435456"}},
         268435456},
        {"version 2, no limit", "0::/user/session\n", {{"user/session/memory.max", "max"}}, std::nullopt},
        {"version 1",
         "5:cpu:/job\n4:memory:/job\n0::/\n",
         {{"memory/job/memory.limit_in_bytes", "1073741824"},
          {"memory/memory.limit_in_bytes", "9223372036854771712"}},
         1073741824},
        {"version 1, no limit",
         "4:memory:/job\n",
         {{"memory/job/memory.limit_in_bytes", "9223372036854771712"}},
         std::nullopt},
        {"version 1 beside version 2 (hybrid)",
         "4:memory:/job\n0::/job\n",
         {{"memory/job/memory.limit_in_bytes", "2147483648"}, {"unified/job/memory.max", "805306368"}},
         805306368},
        {"inside a container: its group is the mount's root",
         "0::/system.slice/job.scope\n",
         {{"memory.max", "402653184"}},
         402653184},
    };
    for (const auto& c : cases) {
        const TempDir root;
        for (const auto& [file, text] : c.files) writeText(root / file, text);
        EXPECT_EQ(image::detail::controlGroupMemoryLimit(c.membership, root.path()), c.limit) << c.name;
    }
}
