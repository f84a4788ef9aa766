#include "Platform/Image/ReportingStages.h"

#include <atomic>
#include <mutex>
#include <optional>

#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/VipsRuntime.h"

namespace image::detail {

namespace {

// Records a failed decode in `log` with the newest of the error lines written for it (`own`).
void recordFailure(WarningLog& log, const ErrorLines& own) {
    log.addFailure(newestErrorLine(own.text()));
}

// A stage that passes its input through, the threads computing it reporting to its log meanwhile.
struct Reporting {
    vips::VImage input;
    std::shared_ptr<WarningLog> log;
    // libvips may finish writing an image whose last strips failed to compute, and say it succeeded.
    std::atomic<bool> failed = false;
    // What the decoder wrote, on whichever thread: a worker whose read fails only because another's
    // did writes nothing.
    ErrorLines errors;
};

// A loader may do its work when its first region is made (libvips' loaders decode there), on whichever
// thread makes it.
void* startReporting(VipsImage* out, void* input, void* client) {
    auto* stage = static_cast<Reporting*>(client);
    const ReportingScope scope(stage->log);
    const OwnErrors own(stage->errors);
    void* sequence = vips_start_one(out, input, client);
    if (!sequence) {
        stage->failed = true;
        recordFailure(*stage->log, stage->errors);
    }
    return sequence;
}

int generateReporting(VipsRegion* out, void* sequence, void*, void* client, gboolean*) {
    auto* in = static_cast<VipsRegion*>(sequence);
    auto* stage = static_cast<Reporting*>(client);
    const ReportingScope scope(stage->log);
    const OwnErrors own(stage->errors);
    if (vips_region_prepare(in, &out->valid) != 0) {
        stage->failed = true;
        recordFailure(*stage->log, stage->errors);
        return -1;
    }
    return vips_region_region(out, in, &out->valid, out->valid.left, out->valid.top);
}

// A new image that copies `in`'s header and computes its pixels with `generate`; `stage` is owned by
// the new image. Null when libvips refuses.
template <typename Stage>
VipsImage* stageOver(VipsImage* in, Stage* stage, VipsStartFn start, VipsGenerateFn generate, VipsStopFn stop,
                     void* a) {
    VipsImage* out = vips_image_new();
    g_object_set_data_full(G_OBJECT(out), "vorta-stage", stage,
                           [](gpointer p) { delete static_cast<Stage*>(p); });
    if (vips_image_pipelinev(out, VIPS_DEMAND_STYLE_ANY, in, nullptr) != 0 ||
        vips_image_generate(out, start, generate, stop, a, stage) != 0) {
        g_object_unref(out);
        return nullptr;
    }
    return out;
}

// `image` passing through `stage`, which the result owns.
vips::VImage reportingThrough(const vips::VImage& image, Reporting* stage) {
    const OwnErrors own;
    VipsImage* out = stageOver(image.get_image(), stage, startReporting, generateReporting, vips_stop_one,
                               image.get_image());
    if (!out) throw vips::VError(own.text());
    return vips::VImage(out);
}

}  // namespace

vips::VImage reportingTo(const vips::VImage& image, std::shared_ptr<WarningLog> log) {
    return reportingThrough(image, new Reporting{image, std::move(log), false, {}});
}

namespace {

// Images of at least this size are decoded to a temporary file rather than into memory, as libvips
// itself does for images read in any order.
constexpr guint64 kDiscThreshold = 100 * 1024 * 1024;

// Decodes `decoder` once, into memory (on disc when very large), and releases it, what it reports
// while decoding and when it closes right after going to `log`. Absent, with the failure in `log`,
// when it fails.
std::optional<vips::VImage> decodeOnce(std::optional<vips::VImage>& decoder,
                                       const std::shared_ptr<WarningLog>& log) {
    const ReportingScope scope(log);
    const OwnErrors own;
    std::optional<vips::VImage> pixels;
    try {
        auto* stage = new Reporting{*decoder, log, false, {}};
        const vips::VImage reporting = reportingThrough(*decoder, stage);
        VipsImage* store = VIPS_IMAGE_SIZEOF_IMAGE(reporting.get_image()) >= kDiscThreshold
                               ? vips_image_new_temp_file("%s.v")
                               : vips_image_new_memory();
        const bool written = store && vips_image_write(reporting.get_image(), store) == 0;
        if (written && !stage->failed) {
            pixels.emplace(store);
        } else {
            if (store) g_object_unref(store);
            // A failure to compute the pixels is in the log already, in the words of the thread it
            // happened on.
            if (!stage->failed) recordFailure(*log, own.lines());
        }
    } catch (const vips::VError&) {
        recordFailure(*log, own.lines());
    }
    decoder.reset();
    return pixels;
}

struct Decoded {
    std::mutex mutex;
    std::optional<vips::VImage> decoder;  // released once decoded, so that it closes and reports
    std::optional<vips::VImage> pixels;
    std::shared_ptr<WarningLog> log;

    // The decoded pixels, decoding them on first use; null when decoding failed.
    VipsImage* decodedPixels() {
        std::lock_guard lock(mutex);
        if (pixels) return pixels->get_image();
        if (!decoder) return nullptr;
        pixels = decodeOnce(decoder, log);
        return pixels ? pixels->get_image() : nullptr;
    }
};

void* startDecoded(VipsImage*, void*, void*) {
    return new VipsRegion*(nullptr);
}

int generateDecoded(VipsRegion* out, void* sequence, void*, void* client, gboolean*) {
    auto*& in = *static_cast<VipsRegion**>(sequence);
    VipsImage* pixels = static_cast<Decoded*>(client)->decodedPixels();
    // The failure was reported when it happened; repeating it would only fill the shared buffer.
    if (!pixels) return -1;
    if (!in) in = vips_region_new(pixels);
    if (vips_region_prepare(in, &out->valid) != 0) return -1;
    return vips_region_region(out, in, &out->valid, out->valid.left, out->valid.top);
}

int stopDecoded(void* sequence, void*, void*) {
    auto* region = static_cast<VipsRegion**>(sequence);
    if (*region) g_object_unref(*region);
    delete region;
    return 0;
}

}  // namespace

vips::VImage decodedReportingTo(const vips::VImage& decoder, std::shared_ptr<WarningLog> log) {
    const OwnErrors own;
    auto* stage = new Decoded;
    stage->decoder = decoder;
    stage->log = std::move(log);
    VipsImage* out =
        stageOver(decoder.get_image(), stage, startDecoded, generateDecoded, stopDecoded, nullptr);
    if (!out) throw vips::VError(own.text());
    return vips::VImage(out);
}

}  // namespace image::detail
