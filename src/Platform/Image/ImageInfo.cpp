#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsRuntime.h"

namespace image {

std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error, bool* damaged) {
    detail::ensureVipsStarted();
    if (damaged) *damaged = false;
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
        detail::forgetErrors();
        return info;
    } catch (const vips::VError& e) {
        // libvips' error text holds every thread's errors; the loader's own comes last.
        std::string text = e.what();
        while (!text.empty() && text.back() == '\n') text.pop_back();
        text = text.substr(text.rfind('\n') + 1);
        detail::reportError(error, "unreadable image header" + (text.empty() ? "" : ": " + text));
        if (damaged) *damaged = true;
        return std::nullopt;
    }
}

}  // namespace image
