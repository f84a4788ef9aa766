#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsRuntime.h"

namespace image {

std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error) {
    detail::ensureVipsStarted();
    const auto admission = detail::admitFile(path, error);
    if (!admission) return std::nullopt;
    try {
        const auto header = detail::openAdmitted(*admission);
        const bool swapped = vips_image_get_orientation_swap(header.get_image()) != 0;
        ImageInfo info;
        info.pixelWidth = swapped ? header.height() : header.width();
        info.pixelHeight = swapped ? header.width() : header.height();
        info.format = admission->format;
        info.hasAlpha = header.has_alpha();
        info.tooLarge = detail::exceedsPixelBound(header);
        vips_error_clear();
        return info;
    } catch (const vips::VError& e) {
        detail::reportError(error, std::string("unreadable image header: ") + e.what());
        return std::nullopt;
    }
}

}  // namespace image
