#include "Platform/Image/VipsRuntime.h"

#include <vips/vips8>

#include "Platform/Image/MemoryLimits.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/VectorCodeLock.h"
#include "Platform/Image/WarningRouting.h"

#include <malloc.h>
#include <pthread.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace image::detail {

namespace {

// glibc raises its mmap threshold each time a large block is freed, after which the decode and
// encode buffers of later images come from the per-thread heaps, where they fragment and are never
// given back: a batch of 24-megapixel photos on eight threads grew from 240 MB after 10 images to
// 820 MB after 100. A fixed threshold keeps every large buffer in its own mapping, returned on free,
// and two heaps bound what the small allocations of many threads can strand (290 MB after 100 and
// after 500 images, at the same speed).
void keepLargeBuffersReturnable() {
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    mallopt(M_ARENA_MAX, 2);
}

bool startVips() {
    keepLargeBuffersReturnable();
    keepThreadStacksSmallUnderMemoryLimit();
    if (VIPS_INIT("vorta") != 0) {
        std::fprintf(stderr, "libvips failed to start: %s\n", vips_error_buffer());
        std::abort();
    }
    // A batch opens thousands of different files once each: an operation cache would only hold on to
    // their decoders and pixels. Without one, a decoder closes with the last image that uses it, on
    // the thread that drops it, so what it reports at closing reaches that image's collector.
    vips_cache_set_max(0);
    serialiseVectorCode();
    detail::installWarningHandler();
    if (!errorsAreCaptured())
        std::fprintf(stderr, "libvips' errors reach no capture: a failed read may be worded by another's\n");
    return true;
}

}  // namespace

// Every thread reserves its stack's whole size of address space from the start: glibc gives each the
// 8 MB of the main thread's limit, and a job runs some sixty (workers, libvips' pipelines, OpenMP's and
// the HEVC encoder's pools), 500 MB that under a 1 GB address-space limit left too little for a 20 MB
// metadata block, whose allocation through GLib then ended the process. A data-segment limit counts
// stacks alike. Under any memory limit threads started from now on get 2 MB, which libvips itself asks
// for where the system gives less.
void keepThreadStacksSmallUnderMemoryLimit() {
    constexpr std::size_t kStackBytes = 2 * 1024 * 1024;
    if (!processMemoryLimit()) return;
    pthread_attr_t defaults;
    if (pthread_getattr_default_np(&defaults) != 0) return;
    std::size_t current = 0;
    if (pthread_attr_getstacksize(&defaults, &current) == 0 && current > kStackBytes &&
        pthread_attr_setstacksize(&defaults, kStackBytes) == 0)
        pthread_setattr_default_np(&defaults);
    pthread_attr_destroy(&defaults);
}

void ensureVipsStarted() {
    static const bool started = startVips();
    (void)started;
}

void forgetErrors() {
    // libvips keeps at most 10 KB and drops what comes after. Only the length is read here, never the
    // text: libvips' buffer stays terminated within its bounds while another thread writes to it, so
    // the length may be off but the read stays inside.
    constexpr std::size_t kLongText = 4096;
    if (std::strlen(vips_error_buffer()) > kLongText) vips_error_clear();
}

std::string newestErrorLine(std::string_view text) {
    while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    if (text.empty()) return "libvips gave no reason";
    auto cut = text.rfind('\n');
    // A message whose own text ended in a line break, as libheif's do, goes on with its code on an
    // indented line of its own ("... 16384x16384\n (6.1000)"): the line before holds its words.
    if (cut != std::string_view::npos && text[cut + 1] == ' ' && cut > 0) {
        const auto before = text.rfind('\n', cut - 1);
        const auto from = before == std::string_view::npos ? 0 : before + 1;
        return std::string(text.substr(from, cut - from)) + std::string(text.substr(cut + 1));
    }
    return std::string(cut == std::string_view::npos ? text : text.substr(cut + 1));
}

}  // namespace image::detail

namespace image {

void returnFreedMemory() {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // The sanitizers bring their own allocator, so glibc's is never set up: trimming would free
    // nothing, and workers trimming at once would race to set it up and corrupt its arenas.
    return;
#else
    malloc_trim(0);
#endif
}

PipelineThreadsScope::PipelineThreadsScope(unsigned threads) {
    detail::ensureVipsStarted();
    previous_ = vips_concurrency_get();
    vips_concurrency_set(static_cast<int>(std::max(1u, threads)));
}

PipelineThreadsScope::~PipelineThreadsScope() {
    vips_concurrency_set(previous_);
}

}  // namespace image
