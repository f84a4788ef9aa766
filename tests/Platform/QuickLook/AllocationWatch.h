#pragma once
// AllocationWatch: while one lives, every heap request above a bound is refused (the caller sees an
// allocation failure, as on a machine without that much memory) and remembered, so a test can tell
// that some work never asked for a large block, without the machine paying for one. The program's
// malloc, calloc, realloc and aligned allocations pass through here: this test program replaces the C
// library's with forwarders. Builds under a sanitizer (which replaces them itself) watch nothing.
// One at a time; the requests may come from any thread.

#include <cstddef>

namespace testsupport {

class AllocationWatch {
  public:
    // False under a sanitizer: nothing is watched.
    static bool available();

    explicit AllocationWatch(std::size_t bound);
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    // The largest request refused so far; 0 when none was.
    std::size_t largestRefused() const;
};

}  // namespace testsupport
