#include "Platform/Image/OwnErrors.h"

#include <vips/vips.h>

#include <dlfcn.h>

#include <array>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <new>

namespace image::detail {

struct ErrorSink {
    std::mutex mutex;
    std::string text;
};

// A capture active on a thread, and the one it is nested in (on this thread, or on the thread that
// started this one).
struct CaptureLink {
    std::shared_ptr<ErrorSink> sink;
    std::shared_ptr<CaptureLink> outer;
};

namespace {

thread_local std::shared_ptr<CaptureLink> tInnermost;
// libvips holds back the errors of a probe (is this file a TIFF?) by freezing its error text, for
// every thread at once: only the probing thread's own lines are held back here.
thread_local int tFrozen = 0;
// Which of the entry points taken over below libvips has called, each a bit of EntryPoint.
std::atomic<unsigned> gReached = 0;

// libvips keeps this much of its error text.
constexpr std::size_t kKeptText = 10 * 1024;

template <typename Function>
Function* libvipsOwn(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, name));
}

void capture(const std::string& line) {
    for (const CaptureLink* link = tInnermost.get(); link; link = link->outer.get()) {
        const std::lock_guard lock(link->sink->mutex);
        if (link->sink->text.size() + line.size() <= kKeptText) link->sink->text += line;
    }
}

// A pipeline libvips runs on worker threads (which it keeps and reuses for other work): while they
// work for it, they write to the captures of the thread that runs it.
struct InheritingPool {
    VipsThreadStartFn start;
    VipsThreadpoolAllocateFn allocate;
    VipsThreadpoolWorkFn work;
    VipsThreadpoolProgressFn progress;
    void* client;
    std::shared_ptr<CaptureLink> captures;
};

class InheritedCaptures {
  public:
    explicit InheritedCaptures(const InheritingPool& pool) : previous_(std::move(tInnermost)) {
        tInnermost = pool.captures;
    }
    ~InheritedCaptures() { tInnermost = std::move(previous_); }
    InheritedCaptures(const InheritedCaptures&) = delete;
    InheritedCaptures& operator=(const InheritedCaptures&) = delete;

  private:
    std::shared_ptr<CaptureLink> previous_;
};

// A decoder written in C++ (libheif) throws when an allocation fails, through libvips, which has no
// handler: the exception would end the process. It ends the pipeline instead, as running out of memory.
void reportAllocationFailure() {
    vips_error("vorta", "%s", "out of memory: a decoder could not allocate its buffers");
}

VipsThreadState* startInheriting(VipsImage* image, void* a) {
    const auto& pool = *static_cast<InheritingPool*>(a);
    const InheritedCaptures captures(pool);
    try {
        return pool.start(image, pool.client);
    } catch (const std::bad_alloc&) {
        reportAllocationFailure();
        return nullptr;
    }
}

int allocateInheriting(VipsThreadState* state, void* a, gboolean* stop) {
    const auto& pool = *static_cast<InheritingPool*>(a);
    const InheritedCaptures captures(pool);
    try {
        return pool.allocate(state, pool.client, stop);
    } catch (const std::bad_alloc&) {
        reportAllocationFailure();
        return -1;
    }
}

int workInheriting(VipsThreadState* state, void* a) {
    const auto& pool = *static_cast<InheritingPool*>(a);
    const InheritedCaptures captures(pool);
    try {
        return pool.work(state, pool.client);
    } catch (const std::bad_alloc&) {
        reportAllocationFailure();
        return -1;
    }
}

int progressInheriting(void* a) {
    const auto& pool = *static_cast<InheritingPool*>(a);
    return pool.progress(pool.client);
}

}  // namespace

ErrorLines::ErrorLines() : sink_(std::make_shared<ErrorSink>()) {}

std::string ErrorLines::text() const {
    if (!errorsAreCaptured()) {
        char* shared = vips_error_buffer_copy();
        std::string copy = shared ? shared : "";
        g_free(shared);
        return copy;
    }
    const std::lock_guard lock(sink_->mutex);
    return sink_->text;
}

OwnErrors::OwnErrors() : OwnErrors(ErrorLines()) {}

OwnErrors::OwnErrors(const ErrorLines& lines) : lines_(lines), previous_(tInnermost) {
    tInnermost = std::make_shared<CaptureLink>(CaptureLink{lines_.sink_, previous_});
}

OwnErrors::~OwnErrors() {
    tInnermost = std::move(previous_);
}

unsigned entryPointsReached() {
    // Checked once, when libvips starts, before anything reads an image: libvips' own calls must reach
    // every entry point, since one it calls directly would leave its part uncaptured (the lines of
    // a pipeline's workers, or a probe's lines taken for a read's).
    static const unsigned reached = [] {
        {
            const OwnErrors probe;
            // A one-pixel image opened from memory: the loader is found by probing, with errors frozen.
            static constexpr char kOnePixel[] = "P5 1 1 255\n";
            VipsSource* source = vips_source_new_from_memory(kOnePixel, sizeof kOnePixel);
            VipsImage* image = source ? vips_image_new_from_source(source, "", nullptr) : nullptr;
            // Its average is computed by a pipeline.
            double average = 0;
            if (image) vips_avg(image, &average, nullptr);
            if (image) g_object_unref(image);
            if (source) g_object_unref(source);
            vips_error("vorta", "%s", "probe");
        }
        vips_error_clear();
        return gReached.load();
    }();
    return reached;
}

bool errorsAreCaptured() {
    return entryPointsReached() == kEveryEntryPoint;
}

}  // namespace image::detail

// libvips' own entry points, taken over (every call of them, in libvips and its modules, comes here
// first) so that each error line also reaches the captures of the thread that writes it, and the
// workers of a pipeline write to the captures of the thread that runs it. libvips then does as before.
extern "C" {

void vips_verror(const char* domain, const char* format, va_list arguments) {
    using namespace image::detail;
    static auto* const own = libvipsOwn<void(const char*, const char*, va_list)>("vips_verror");
    gReached |= unsigned(EntryPoint::Error);
    if (tInnermost && tFrozen == 0) {
        std::array<char, 2048> message{};
        va_list copy;
        va_copy(copy, arguments);
        std::vsnprintf(message.data(), message.size(), format, copy);
        va_end(copy);
        capture((domain ? std::string(domain) + ": " : std::string()) + message.data() + "\n");
    }
    own(domain, format, arguments);
}

void vips_error_freeze() {
    static auto* const own = image::detail::libvipsOwn<void()>("vips_error_freeze");
    image::detail::gReached |= unsigned(image::detail::EntryPoint::Freeze);
    ++image::detail::tFrozen;
    own();
}

void vips_error_thaw() {
    static auto* const own = image::detail::libvipsOwn<void()>("vips_error_thaw");
    image::detail::gReached |= unsigned(image::detail::EntryPoint::Thaw);
    --image::detail::tFrozen;
    own();
}

int vips_threadpool_run(VipsImage* image, VipsThreadStartFn start, VipsThreadpoolAllocateFn allocate,
                        VipsThreadpoolWorkFn work, VipsThreadpoolProgressFn progress, void* a) {
    using namespace image::detail;
    static auto* const own =
        libvipsOwn<int(VipsImage*, VipsThreadStartFn, VipsThreadpoolAllocateFn, VipsThreadpoolWorkFn,
                       VipsThreadpoolProgressFn, void*)>("vips_threadpool_run");
    gReached |= unsigned(EntryPoint::Threadpool);
    // Pools run with no capture active go to libvips unchanged: only a read's own pipelines (the
    // decoders that may throw) need the wrappers, and their workers touch this caller's frame.
    if (!tInnermost) return own(image, start, allocate, work, progress, a);
    InheritingPool pool{start, allocate, work, progress, a, tInnermost};
    return own(image, startInheriting, allocateInheriting, workInheriting,
               progress ? progressInheriting : nullptr, &pool);
}

}  // extern "C"
