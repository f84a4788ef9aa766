#include "Platform/Image/ImageLoading.h"

#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/JpegDirect.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/ReportingStages.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace image {

namespace {

// The upright, sRGB image, or absent when the header is over the pixel bound.
std::optional<Image> finishLoad(const vips::VImage& raw, const std::string& format, std::string* error) {
    if (detail::exceedsPixelBound(raw)) {
        detail::reportError(error, "image too large (more than 200 megapixels)");
        return std::nullopt;
    }
    // libvips 8.14's JPEG 2000 decoder fails when it decodes a tile a second time, which a lazy
    // pipeline does freely: decode those files once, whole.
    const vips::VImage decoded = format == "jp2k" ? raw.copy_memory() : raw;
    vips::VImage upright = decoded.autorot().copy();
    upright.remove(VIPS_META_ORIENTATION);
    return fromVips(detail::toSRGB8(upright));
}

// The factor by which the stored image (before orientation) may shrink and still cover `needed`.
double spareFactor(const vips::VImage& header, cg::Size needed) {
    if (vips_image_get_orientation_swap(header.get_image())) std::swap(needed.width, needed.height);
    double factor = std::numeric_limits<double>::infinity();
    if (needed.width > 0) factor = std::min(factor, header.width() / needed.width);
    if (needed.height > 0) factor = std::min(factor, header.height() / needed.height);
    return std::isinf(factor) ? 1.0 : factor;
}

// The decoder that reads the admitted image for `needed`.
struct Opened {
    vips::VImage image;
    // libjpeg's own decoder, which reads its rows once, in order.
    bool direct = false;
};

Opened openShrunk(const detail::Admission& admission, cg::Size needed) {
    const auto header = detail::openAdmitted(admission);
    if (detail::exceedsPixelBound(header)) return {header};  // refused by finishLoad, by its real size
    const double spare = spareFactor(header, needed);
    const int shrink = detail::decoderShrinkFor(spare);
    if (admission.format == "jpeg" && shrink > 1) {
        return {detail::openAdmitted(admission, vips::VImage::option()->set("shrink", shrink))};
    }
    if (admission.format == "webp" && shrink > 1) {
        return {detail::openAdmitted(admission, vips::VImage::option()->set("scale", 1.0 / shrink))};
    }
    if (admission.format == "heif") {
        // Photos from phones carry a small preview; it serves when it still covers the target.
        const auto preview = detail::openAdmitted(admission, vips::VImage::option()->set("thumbnail", true));
        const bool smaller = preview.width() < header.width();
        if (smaller && preview.width() * spare >= header.width() &&
            preview.height() * spare >= header.height()) {
            return {preview};
        }
    }
    return {header};
}

// A JPEG file read by libjpeg itself, at the reduction `needed` allows: its decode goes on to the end
// marker and hears every word of damage in the scan, where libvips' loader stops at the last row, and
// it has no limit on harmless warnings, where libvips' loader gives up at the 100th, at the cost of
// libvips' own decode. Absent for a file libjpeg does not read here (a variant, a damaged header):
// libvips' loader words those.
std::optional<Opened> openDirectly(const detail::Admission& admission, std::optional<cg::Size> needed) {
    if (admission.format != "jpeg" || admission.file.empty()) return std::nullopt;
    const auto direct = detail::readJpegDirectly(admission.file, [&](const vips::VImage& full) {
        return needed ? detail::decoderEighthsFor(spareFactor(full, *needed)) : 8;
    });
    if (!direct) return std::nullopt;
    return Opened{*direct, true};
}

std::optional<Image> loadAdmitted(const detail::Admission& admission, std::optional<cg::Size> needed,
                                  const std::shared_ptr<detail::WarningLog>& log, std::string* error) {
    auto opened = openDirectly(admission, needed);
    if (!opened) opened = needed ? openShrunk(admission, *needed) : Opened{detail::openAdmitted(admission)};
    if (!detail::exceedsPixelBound(opened->image) &&
        !detail::memoryAvailableFor(detail::decodeMemory(opened->image, admission.format), error))
        return std::nullopt;
    // Decoded once, in order, whatever order its pixels are asked for in after.
    if (log || opened->direct) {
        opened->image =
            detail::decodedReportingTo(opened->image, log ? log : std::make_shared<detail::WarningLog>());
    }
    return finishLoad(opened->image, admission.format, error);
}

std::optional<Image> load(std::optional<detail::Admission> admission, std::optional<cg::Size> needed,
                          std::string* error) {
    if (!admission) return std::nullopt;
    const auto log = detail::currentWarningLog();
    // What the decoder says while the header is read reaches the collector once the read has ended.
    const auto opening = log ? std::make_shared<detail::WarningLog>() : nullptr;
    // The reason is in the loader's own words: libvips' error text is every thread's.
    std::string reason;
    {
        const detail::OwnErrors own;
        try {
            std::optional<detail::ReportingScope> scope;
            if (opening) scope.emplace(opening);
            auto loaded = loadAdmitted(*admission, needed, log, error);
            scope.reset();
            if (opening) log->addAll(*opening);
            return loaded;
        } catch (const vips::VError&) {
            reason = detail::newestErrorLine(own.text());
        }
    }
    if (opening) log->addAll(*opening);
    // The work's verdict weighs the failure with everything else the decoder said: memory that ran out
    // is named as that, words of damage as damage.
    if (log) log->addFailure(reason);
    // Only the header was read: so are the second opinions that word its failure.
    const auto kept = log ? log : std::make_shared<detail::WarningLog>();
    const auto verdict =
        detail::judgeRead({admission->format, admission->file, true, kept.get()}, {{reason, true}}, true);
    detail::reportError(error, "unreadable image: " + verdict.words);
    return std::nullopt;
}

}  // namespace

std::optional<Image> loadImage(const std::filesystem::path& path, std::string* error) {
    detail::ensureVipsStarted();
    return load(detail::admitFile(path, error), std::nullopt, error);
}

std::optional<Image> loadImage(std::span<const std::uint8_t> bytes, std::string* error) {
    detail::ensureVipsStarted();
    return load(detail::admitBytes(bytes, error), std::nullopt, error);
}

std::optional<Image> loadImage(const std::filesystem::path& path, cg::Size needed, std::string* error) {
    detail::ensureVipsStarted();
    return load(detail::admitFile(path, error), needed, error);
}

Image rendered(const Image& image) {
    try {
        return fromVips(toVips(image).copy_memory());
    } catch (const vips::VError& e) {
        detail::reportError(nullptr, "");
        return image;
    }
}

}  // namespace image
