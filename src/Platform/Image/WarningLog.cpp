#include "Platform/Image/WarningLog.h"

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/GifFrame.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/VipsRuntime.h"

#include <tiffio.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>

namespace image::detail {

namespace {

thread_local std::shared_ptr<WarningLog> tCurrentLog;
// Set after libvips' "read gave N warnings" line, whose next message dumps its whole error text.
thread_local bool tExpectingDump = false;

// Lines kept of any kind, and beyond them, of those that tell a failure's kind.
constexpr std::size_t kKeptLines = 16;
constexpr std::size_t kKeptNotableLines = 32;

bool isNotable(const std::string& line, bool failure) {
    return failure || jpegWarningCountIn(line) || reportsCorruptData(line) || unsupportedVariantIn(line) ||
           failureNotAboutTheFile(line) || line.starts_with("error in tile ");
}

// Records a failed decode in `log` with the newest of the error lines written for it (`own`).
void recordFailure(WarningLog& log, const ErrorLines& own) {
    log.addFailure(newestErrorLine(own.text()));
}

// libtiff's errors, on the thread that decodes: libvips words them only in the error text that every
// thread shares, where a strip that failed in a read libvips then completes is lost. libtiff calls this
// handler besides the one libvips sets.
void routeTiffError(thandle_t, const char* module, const char* format, va_list arguments) {
    const auto& log = tCurrentLog;
    if (!log) return;
    std::array<char, 512> text{};
    std::vsnprintf(text.data(), text.size(), format, arguments);
    // libvips asks libtiff whether every file it is given is a TIFF: a refusal then says nothing of
    // the file.
    const std::string_view said = text.data();
    if (said.starts_with("Not a TIFF") || said.starts_with("Cannot read TIFF header")) return;
    log->add(module && *module ? std::string(module) + ": " + text.data() : std::string(text.data()));
}

void routeMessage(const gchar*, GLogLevelFlags, const gchar* message, gpointer) {
    const std::string_view text = message ? message : "";
    const bool dump = std::exchange(tExpectingDump, false);
    tExpectingDump = jpegWarningCountIn(text).has_value();
    // The dump is the error text of every thread: which of its lines are this decoder's cannot be
    // told (DecodeWarnings reads the file's own warnings again instead).
    if (dump) return;
    if (const auto& log = tCurrentLog) log->add(std::string(text));
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
    DecoderFallback fallback;
    std::optional<vips::VImage> pixels;
    std::shared_ptr<WarningLog> log;

    // The decoded pixels, decoding them on first use; null when decoding failed.
    VipsImage* decodedPixels() {
        std::lock_guard lock(mutex);
        if (pixels) return pixels->get_image();
        if (!decoder) return nullptr;
        // With a fallback, the first decoder's reports count only when the fallback does not serve.
        const auto first = fallback ? std::make_shared<WarningLog>() : log;
        // The stage's header is the first decoder's: a second must give the same image.
        const std::array shape{decoder->width(), decoder->height(), decoder->bands(), int(decoder->format())};
        pixels = decodeOnce(decoder, first);
        bool replaced = false;
        if (!pixels && fallback) {
            std::optional<vips::VImage> second;
            try {
                const ReportingScope scope(log);
                second = fallback(*first);
            } catch (const vips::VError&) {
                forgetErrors();
            }
            if (second && std::array{second->width(), second->height(), second->bands(),
                                     int(second->format())} == shape)
                pixels = decodeOnce(second, log);
            replaced = pixels.has_value();
        }
        if (first != log && !replaced) log->addAll(*first);
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

std::optional<std::size_t> jpegWarningCountIn(std::string_view line) {
    constexpr std::string_view kStart = "read gave ", kEnd = " warnings";
    if (!line.starts_with(kStart) || !line.ends_with(kEnd)) return std::nullopt;
    std::size_t count = 0;
    for (const char c : line.substr(kStart.size(), line.size() - kStart.size() - kEnd.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + std::size_t(c - '0');
    }
    return count;
}

void WarningLog::add(const std::string& message) {
    append(message, false);
}

void WarningLog::addFailure(const std::string& message) {
    append(message, true);
}

void WarningLog::addAll(const WarningLog& other) {
    for (const auto& line : other.lines()) append(line.text, line.failure);
}

void WarningLog::append(const std::string& message, bool failure) {
    std::istringstream lines(message);
    std::lock_guard lock(mutex_);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        const auto same = std::find_if(lines_.begin(), lines_.end(),
                                       [&](const WarningLine& seen) { return seen.text == line; });
        if (same != lines_.end()) {
            same->failure = same->failure || failure;
        } else if (lines_.size() < kKeptLines ||
                   (lines_.size() < kKeptNotableLines && isNotable(line, failure))) {
            lines_.push_back({line, failure});
        }
    }
}

std::vector<WarningLine> WarningLog::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

ReportingScope::ReportingScope(std::shared_ptr<WarningLog> log) : previous_(std::move(tCurrentLog)) {
    tCurrentLog = std::move(log);
}

ReportingScope::~ReportingScope() {
    tCurrentLog = std::move(previous_);
}

std::shared_ptr<const JpegReport> jpegReportKeptIn(WarningLog* log, const std::filesystem::path& file) {
    if (log) {
        std::lock_guard lock(log->mutex_);
        // A report kept for another file (a log that followed more than one read) says nothing of this one.
        if (log->jpegReport_ && log->jpegReport_->file == file) return log->jpegReport_;
    }
    auto report = readJpegWarnings(file);
    if (!report) return nullptr;
    auto shared = std::make_shared<const JpegReport>(std::move(*report));
    if (log) {
        std::lock_guard lock(log->mutex_);
        log->jpegReport_ = shared;
    }
    return shared;
}

std::optional<std::string> gifDamageKeptIn(WarningLog* log, const std::filesystem::path& file) {
    if (log) {
        std::lock_guard lock(log->mutex_);
        if (!log->gifJudged_.empty() && log->gifJudged_ == file) return log->gifDamage_;
    }
    auto damage = gifFirstFrameDamage(file);
    if (log) {
        std::lock_guard lock(log->mutex_);
        log->gifJudged_ = file;
        log->gifDamage_ = damage;
    }
    return damage;
}

const std::shared_ptr<WarningLog>& currentWarningLog() {
    return tCurrentLog;
}

void setCurrentWarningLog(std::shared_ptr<WarningLog> log) {
    tCurrentLog = std::move(log);
}

void installWarningHandler() {
    g_log_set_handler("VIPS", GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE), routeMessage,
                      nullptr);
    TIFFSetErrorHandlerExt(routeTiffError);
}

vips::VImage decodedReportingTo(const vips::VImage& decoder, std::shared_ptr<WarningLog> log,
                                DecoderFallback fallback) {
    const OwnErrors own;
    auto* stage = new Decoded;
    stage->decoder = decoder;
    stage->fallback = std::move(fallback);
    stage->log = std::move(log);
    VipsImage* out =
        stageOver(decoder.get_image(), stage, startDecoded, generateDecoded, stopDecoded, nullptr);
    if (!out) throw vips::VError(own.text());
    return vips::VImage(out);
}

}  // namespace image::detail
