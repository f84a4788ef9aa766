#include "Platform/Image/Thumbnail.h"

#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/JpegWithoutSkippedBytes.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <cmath>

namespace image {

namespace {

std::optional<Image> thumbnailOf(const detail::Admission& admission, int side) {
    const auto header = detail::openAdmitted(admission);
    if (detail::exceedsPixelBound(header)) return std::nullopt;
    // JPEG and WebP decode at a fraction of their size here, through allocations that fail softly.
    const bool shrinksOnLoad = admission.format == "jpeg" || admission.format == "webp";
    if (!shrinksOnLoad &&
        !detail::memoryAvailableFor(detail::decodeMemory(header, admission.format), nullptr))
        return std::nullopt;
    // libvips' thumbnail picks the cheapest decode (shrink-on-load, embedded previews) and
    // applies the EXIF orientation.
    const auto options = vips::VImage::option()->set("height", side)->set("size", VIPS_SIZE_DOWN);
    auto small = (admission.source ? vips::VImage::thumbnail_source(*admission.source, side, options)
                                   : header.thumbnail_image(side, options))
                     .copy();
    if (admission.format == "heif") detail::ownLoaderMetadata(small);
    small.remove(VIPS_META_ORIENTATION);
    // Small enough to keep decoded: a list shows it many times and should not reopen the file. libvips'
    // threads that decode it report to the thread's collector.
    return fromVips(detail::reportingTo(detail::toSRGB8(small), detail::currentWarningLog()).copy_memory());
}

// What `make` makes, with what the decoder reports meanwhile going to `log`; absent when it fails.
template <typename Make>
std::optional<Image> reportingTo(const std::shared_ptr<detail::WarningLog>& log, Make make) {
    try {
        const detail::ReportingScope scope(log);
        return make();
    } catch (const vips::VError&) {
        detail::reportError(nullptr, "");
        return std::nullopt;
    }
}

}  // namespace

std::optional<Image> thumbnail(const std::filesystem::path& url, cg::Size maxPixelSize) {
    detail::ensureVipsStarted();
    const int side = static_cast<int>(std::trunc(maxPixelSize.width));
    if (side < 1) return std::nullopt;
    auto admission = detail::admitFile(url, nullptr);
    if (!admission) return std::nullopt;
    // What the decoder reports goes on to a collector of the caller's, if there is one, as the job's
    // load does it: only what the read that served (or the last read tried) reports.
    const auto& caller = detail::currentWarningLog();
    // A JPEG that an earlier read of the caller's work found libvips gives up on is read without its
    // skipped bytes at once.
    if (auto known = detail::knownFallbackAdmission(*admission, caller.get())) admission = std::move(known);
    auto reports = std::make_shared<detail::WarningLog>();
    auto made = reportingTo(reports, [&] { return thumbnailOf(*admission, side); });
    // A JPEG that libvips gave up on at its limit on warnings, every one harmless, as the job reads it;
    // the decoder's account that decides it is kept for the caller's reads after. libvips' threads may
    // still hand back a picture after its decoder gave up: rows it never decoded are not served.
    if (admission->format == "jpeg" && reports->sawJpegWarningLimit()) {
        made.reset();
        const auto report = detail::jpegReportOf(*admission, caller.get());
        if (const auto cleaned = detail::fallbackAdmission(*admission, report.get())) {
            reports = std::make_shared<detail::WarningLog>();
            made = reportingTo(reports, [&] { return thumbnailOf(*cleaned, side); });
        }
    }
    // A picture whose decode failed part way (a strip that failed, a frame cut short and filled in) is
    // not the file's: it is never handed out.
    if (made && detail::verdictOf(reports->lines()).kind != detail::ReadVerdict::Kind::Whole) made.reset();
    if (caller) caller->addAll(*reports);
    return made;
}

}  // namespace image
