#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsRuntime.h"

#include <sstream>

namespace image {

namespace {

// Why the header of `path` could not be read. libvips' error text holds every thread's errors, the
// loader's own most likely last; a JPEG decoder's lines there belong to another image unless this one
// is a JPEG, whose decoder is asked again.
std::string headerFailure(const std::filesystem::path& path, const std::string& format,
                          const std::string& text) {
    if (format == "jpeg") {
        if (const auto jpeg = detail::readJpegWarnings(path); jpeg && jpeg->failure) return *jpeg->failure;
    }
    std::istringstream lines(text);
    std::string newest;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && (format == "jpeg" || !line.starts_with("VipsJpeg:"))) newest = line;
    }
    return newest;
}

}  // namespace

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
        const std::string text = headerFailure(path, admission->format, e.what());
        detail::reportError(error, "unreadable image header" + (text.empty() ? "" : ": " + text));
        if (damaged) *damaged = true;
        return std::nullopt;
    }
}

}  // namespace image
