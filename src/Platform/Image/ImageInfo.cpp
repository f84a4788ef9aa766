#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/VipsRuntime.h"

#include <sstream>

namespace image {

namespace {

struct HeaderProblem {
    ReadFailure kind = ReadFailure::Damaged;
    std::string text;
};

// Why the header of `path` could not be read. libvips' error text holds every thread's errors, the
// loader's own most likely last; a JPEG decoder's lines there belong to another image unless this one
// is a JPEG, whose decoder is asked again.
HeaderProblem headerProblem(const std::filesystem::path& path, const std::string& format,
                            const std::string& text) {
    if (format == "jpeg") {
        if (const auto jpeg = detail::readJpegWarnings(path)) {
            if (jpeg->unsupported) return {ReadFailure::Unsupported, *jpeg->unsupported};
            if (jpeg->failure) return {ReadFailure::Damaged, *jpeg->failure};
        }
    }
    std::istringstream lines(text);
    std::string newest;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && (format == "jpeg" || !line.starts_with("VipsJpeg:"))) newest = line;
    }
    if (auto variant = detail::unsupportedVariantIn(newest)) return {ReadFailure::Unsupported, *variant};
    if (detail::reportsWantOfMemory(newest)) return {ReadFailure::NotAnImage, newest};
    return {ReadFailure::Damaged, newest};
}

}  // namespace

std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error,
                                       ReadFailure* failure) {
    detail::ensureVipsStarted();
    if (failure) *failure = ReadFailure::NotAnImage;
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
        const auto problem = headerProblem(path, admission->format, e.what());
        const bool variant = problem.kind == ReadFailure::Unsupported;
        detail::reportError(
            error, variant ? problem.text
                           : "unreadable image header" + (problem.text.empty() ? "" : ": " + problem.text));
        if (failure) *failure = problem.kind;
        return std::nullopt;
    }
}

}  // namespace image
