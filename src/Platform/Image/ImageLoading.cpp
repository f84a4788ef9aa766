#include "Platform/Image/ImageLoading.h"

#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <algorithm>
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

// How much a decoder may shrink while leaving at least a factor of two for the final resample, which
// keeps the result as sharp and alias-free as a full decode would give.
int blockShrinkFor(double factor) {
    if (factor >= 16) return 8;
    if (factor >= 8) return 4;
    if (factor >= 4) return 2;
    return 1;
}

// The factor by which the stored image (before orientation) may shrink and still cover `needed`.
double spareFactor(const vips::VImage& header, cg::Size needed) {
    if (vips_image_get_orientation_swap(header.get_image())) std::swap(needed.width, needed.height);
    double factor = std::numeric_limits<double>::infinity();
    if (needed.width > 0) factor = std::min(factor, header.width() / needed.width);
    if (needed.height > 0) factor = std::min(factor, header.height() / needed.height);
    return std::isinf(factor) ? 1.0 : factor;
}

bool covers(const vips::VImage& candidate, const vips::VImage& header, cg::Size needed) {
    const double factor = spareFactor(header, needed);
    return candidate.width() * factor >= header.width() && candidate.height() * factor >= header.height();
}

vips::VImage openShrunk(const std::filesystem::path& path, const std::string& format, cg::Size needed) {
    const auto header = vips::VImage::new_from_file(path.c_str());
    if (detail::exceedsPixelBound(header)) return header;  // refused by finishLoad, by its real size
    const int shrink = blockShrinkFor(spareFactor(header, needed));
    if (format == "jpeg" && shrink > 1) {
        return vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("shrink", shrink));
    }
    if (format == "webp" && shrink > 1) {
        return vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("scale", 1.0 / shrink));
    }
    if (format == "heif") {
        const auto embedded =
            vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("thumbnail", true));
        if (embedded.width() < header.width() && covers(embedded, header, needed)) return embedded;
    }
    return header;
}

}  // namespace

std::optional<Image> loadImage(const std::filesystem::path& path, std::string* error) {
    detail::ensureVipsStarted();
    const auto admission = detail::admitFile(path, error);
    if (!admission) return std::nullopt;
    try {
        return finishLoad(vips::VImage::new_from_file(path.c_str()), admission->format, error);
    } catch (const vips::VError& e) {
        detail::reportError(error, std::string("unreadable image: ") + e.what());
        return std::nullopt;
    }
}

std::optional<Image> loadImage(std::span<const std::uint8_t> bytes, std::string* error) {
    detail::ensureVipsStarted();
    const auto admission = detail::admitBytes(bytes, error);
    if (!admission) return std::nullopt;
    try {
        if (admission->format == "bmp") {
            // ImageMagick reads only from memory the caller owns: decode now, while it is there.
            const auto header = vips::VImage::new_from_buffer(bytes.data(), bytes.size(), "");
            if (detail::exceedsPixelBound(header)) return finishLoad(header, admission->format, error);
            return finishLoad(header.copy_memory(), admission->format, error);
        }
        // The source owns a copy of the bytes, so the lazy pipeline may outlive the caller's buffer.
        VipsBlob* blob = vips_blob_copy(bytes.data(), bytes.size());
        vips::VSource source(vips_source_new_from_blob(blob));
        vips_area_unref(VIPS_AREA(blob));
        return finishLoad(vips::VImage::new_from_source(source, ""), admission->format, error);
    } catch (const vips::VError& e) {
        detail::reportError(error, std::string("unreadable image: ") + e.what());
        return std::nullopt;
    }
}

std::optional<Image> loadImage(const std::filesystem::path& path, cg::Size needed, std::string* error) {
    detail::ensureVipsStarted();
    const auto admission = detail::admitFile(path, error);
    if (!admission) return std::nullopt;
    try {
        return finishLoad(openShrunk(path, admission->format, needed), admission->format, error);
    } catch (const vips::VError& e) {
        detail::reportError(error, std::string("unreadable image: ") + e.what());
        return std::nullopt;
    }
}

}  // namespace image
