#include "AllocationWatch.h"

#include <atomic>
#include <cerrno>
#include <cstdint>

#include "Support/Sanitizers.h"

namespace {

// 0 while no watch lives.
std::atomic<std::size_t> gBound{0};
std::atomic<std::size_t> gLargestRefused{0};

}  // namespace

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)

namespace {

// Whether a request of `size` bytes is refused now; a refused one is remembered.
bool refused(std::size_t size) {
    const std::size_t bound = gBound.load(std::memory_order_relaxed);
    if (bound == 0 || size <= bound) return false;
    std::size_t largest = gLargestRefused.load(std::memory_order_relaxed);
    while (size > largest && !gLargestRefused.compare_exchange_weak(largest, size)) {
    }
    errno = ENOMEM;
    return true;
}

}  // namespace

// The C library's own allocator, which these forward to; memory from either is freed by its free.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) {
    return refused(size) ? nullptr : __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
    std::size_t total = 0;
    if (__builtin_mul_overflow(count, size, &total) || refused(total)) {
        errno = ENOMEM;
        return nullptr;
    }
    return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
    return refused(size) ? nullptr : __libc_realloc(block, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    return refused(size) ? nullptr : __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    return memalign(alignment, size);
}

int posix_memalign(void** result, std::size_t alignment, std::size_t size) {
    // As the C library's: a power of two that is a multiple of a pointer's size, and errno untouched.
    if (alignment == 0 || alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return EINVAL;
    const int savedErrno = errno;
    void* block = memalign(alignment, size);
    errno = savedErrno;
    if (block == nullptr) return ENOMEM;
    *result = block;
    return 0;
}
}

#endif

namespace testsupport {

bool AllocationWatch::available() {
    return !underSanitizer;
}

AllocationWatch::AllocationWatch(std::size_t bound) {
    gLargestRefused = 0;
    gBound = bound;
}

AllocationWatch::~AllocationWatch() {
    gBound = 0;
}

std::size_t AllocationWatch::largestRefused() const {
    return gLargestRefused;
}

}  // namespace testsupport
