#include "Platform/Image/Thumbnail.h"

#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/JpegWithoutSkippedBytes.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <cmath>

namespace image {

namespace {

std::optional<Image> thumbnailOf(const detail::Admission& admission, int side) {
    const auto header = detail::openAdmitted(admission);
    if (detail::exceedsPixelBound(header)) return std::nullopt;
    // libvips' thumbnail picks the cheapest decode (shrink-on-load, embedded previews) and
    // applies the EXIF orientation.
    const auto options = vips::VImage::option()->set("height", side)->set("size", VIPS_SIZE_DOWN);
    auto small = (admission.source ? vips::VImage::thumbnail_source(*admission.source, side, options)
                                   : header.thumbnail_image(side, options))
                     .copy();
    small.remove(VIPS_META_ORIENTATION);
    // Small enough to keep decoded: a list shows it many times and should not reopen the file.
    return fromVips(detail::toSRGB8(small).copy_memory());
}

}  // namespace

std::optional<Image> thumbnail(const std::filesystem::path& url, cg::Size maxPixelSize) {
    detail::ensureVipsStarted();
    const int side = static_cast<int>(std::trunc(maxPixelSize.width));
    if (side < 1) return std::nullopt;
    const auto admission = detail::admitFile(url, nullptr);
    if (!admission) return std::nullopt;
    // What the decoder reports goes on to a collector of the caller's, if there is one.
    const auto reports = std::make_shared<detail::WarningLog>();
    std::optional<Image> made;
    try {
        const detail::ReportingScope scope(reports);
        made = thumbnailOf(*admission, side);
    } catch (const vips::VError&) {
        detail::reportError(nullptr, "");
    }
    if (const auto& caller = detail::currentWarningLog()) caller->addAll(*reports);
    if (made) return made;
    // A JPEG that libvips gave up on at its limit on warnings, every one harmless, as the job reads it.
    try {
        const auto cleaned = admission->format == "jpeg" && reports->sawJpegWarningLimit()
                                 ? detail::fallbackAdmission(*admission, detail::readJpegWarnings(url))
                                 : std::nullopt;
        if (cleaned) return thumbnailOf(*cleaned, side);
    } catch (const vips::VError&) {
        detail::reportError(nullptr, "");
    }
    return std::nullopt;
}

}  // namespace image
