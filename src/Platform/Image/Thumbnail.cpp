#include "Platform/Image/Thumbnail.h"

#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/JpegDirect.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/ReportingStages.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <algorithm>
#include <cmath>

namespace image {

namespace {

vips::VOption* thumbnailOptions(int side) {
    return vips::VImage::option()->set("height", side)->set("size", VIPS_SIZE_DOWN);
}

// Small enough to keep decoded: a list shows it many times and should not reopen the file. libvips'
// threads that decode it report to the thread's collector.
Image keptUpright(const vips::VImage& small, const std::string& format) {
    auto upright = small.copy();
    if (format == "heif") detail::ownLoaderMetadata(upright);
    upright.remove(VIPS_META_ORIENTATION);
    return fromVips(detail::reportingTo(detail::toSRGB8(upright), detail::currentWarningLog()).copy_memory());
}

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
    return keptUpright(admission.source
                           ? vips::VImage::thumbnail_source(*admission.source, side, thumbnailOptions(side))
                           : header.thumbnail_image(side, thumbnailOptions(side)),
                       admission.format);
}

// The JPEG file read by libjpeg itself, at the reduction the thumbnail allows, decoded once with what
// the decoder reports going to `log`. `read` is set when libjpeg reads the file here at all.
std::optional<Image> directThumbnailOf(const std::filesystem::path& file, int side,
                                       const std::shared_ptr<detail::WarningLog>& log, bool& read) {
    const auto direct = detail::readJpegDirectly(file, [side](const vips::VImage& header) {
        return detail::decoderEighthsFor(double(std::max(header.width(), header.height())) / side);
    });
    read = direct.has_value();
    if (!direct || detail::exceedsPixelBound(*direct)) return std::nullopt;
    return keptUpright(detail::decodedReportingTo(*direct, log).thumbnail_image(side, thumbnailOptions(side)),
                       "jpeg");
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
    const auto admission = detail::admitFile(url, nullptr);
    if (!admission) return std::nullopt;
    // A second decoder's judgement of the file is kept in a collector of the caller's, if there is one,
    // for the caller's judgements after; the decoder's own lines are not: a picture that could not be
    // made fails only itself, and the caller's own read of the file reports its own.
    const detail::ReadSubject subject{admission->format, admission->file, false,
                                      detail::currentWarningLog().get()};
    // Some damage is known before any pixel is decoded (a GIF frame whose data stops part way, which
    // libvips' decoder fills in without a word): no picture is made of it.
    if (detail::judgeRead(subject, {}).kind != ReadVerdict::Kind::Whole) return std::nullopt;
    auto reports = std::make_shared<detail::WarningLog>();
    // A JPEG file is read by libjpeg itself, as the job reads it: to its end marker, past any number of
    // harmless warnings. libvips' loader reads the rest, and the JPEGs libjpeg does not read here.
    std::optional<Image> made;
    bool readDirectly = false;
    if (admission->format == "jpeg" && !admission->file.empty())
        made = reportingTo(reports,
                           [&] { return directThumbnailOf(admission->file, side, reports, readDirectly); });
    if (!readDirectly) made = reportingTo(reports, [&] { return thumbnailOf(*admission, side); });
    // A picture whose decode failed part way (a strip that failed, a frame cut short and filled in) is
    // not the file's: it is never handed out.
    if (made && detail::judgeRead(subject, reports->lines()).kind != ReadVerdict::Kind::Whole) made.reset();
    return made;
}

}  // namespace image
