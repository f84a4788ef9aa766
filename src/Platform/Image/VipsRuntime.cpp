#include "Platform/Image/VipsRuntime.h"

#include <vips/vips8>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace image::detail {

namespace {

bool startVips() {
    if (VIPS_INIT("vorta") != 0) {
        std::fprintf(stderr, "libvips failed to start: %s\n", vips_error_buffer());
        std::abort();
    }
    // A batch opens thousands of different files once each: a large operation cache would only
    // hold on to their decoded pixels. A few entries keep repeated header reads cheap.
    vips_cache_set_max(16);
    vips_cache_set_max_mem(32 * 1024 * 1024);
    vips_cache_set_max_files(16);
    return true;
}

}  // namespace

void ensureVipsStarted() {
    static const bool started = startVips();
    (void)started;
}

}  // namespace image::detail

namespace image {

PipelineThreadsScope::PipelineThreadsScope(unsigned threads) {
    detail::ensureVipsStarted();
    previous_ = vips_concurrency_get();
    vips_concurrency_set(static_cast<int>(std::max(1u, threads)));
}

PipelineThreadsScope::~PipelineThreadsScope() {
    vips_concurrency_set(previous_);
}

}  // namespace image
