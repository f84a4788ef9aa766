#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/BmpHeader.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegDirect.h"
#include "Platform/Image/KeptOpinions.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/TiffCompression.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <utility>

namespace image {

namespace {

// What a header read that failed comes to, in the kinds of the file's header: judged from every line
// the decoders reported on this thread while it was read and the newest of the error lines its loader
// wrote (`text`), which words the failure; only where it wrote none do the lines heard.
std::pair<ReadFailure, std::string> headerFailure(const detail::Admission& admission, const std::string& text,
                                                  detail::WarningLog& heard) {
    auto lines = heard.lines();
    if (auto own = detail::loaderFailure(text, admission.format == "jpeg")) lines.push_back(std::move(*own));
    auto verdict = detail::judgeRead({admission.format, admission.file, true, &heard}, lines, true);
    switch (verdict.kind) {
        case ReadVerdict::Kind::Unsupported:
            return {ReadFailure::Unsupported, std::move(verdict.words)};
        case ReadVerdict::Kind::NotAboutTheFile:
            return {ReadFailure::NotAboutTheFile, std::move(verdict.words)};
        case ReadVerdict::Kind::Damaged:
            return {ReadFailure::Damaged, std::move(verdict.words)};
        case ReadVerdict::Kind::Whole:
        case ReadVerdict::Kind::Failed:
            break;
    }
    return {ReadFailure::Unreadable, std::move(verdict.words)};
}

ImageInfo infoFrom(const vips::VImage& header, const std::string& format) {
    const bool swapped = vips_image_get_orientation_swap(header.get_image()) != 0;
    ImageInfo info;
    info.pixelWidth = swapped ? header.height() : header.width();
    info.pixelHeight = swapped ? header.width() : header.height();
    info.format = format;
    info.hasAlpha = header.has_alpha();
    info.tooLarge = detail::exceedsPixelBound(header);
    info.decodeBytes = detail::decodeMemory(header, format);
    detail::forgetErrors();
    return info;
}

// What a BMP's headers say, when they are of a kind ImageMagick reads: ImageMagick reads no header
// alone, it decodes every pixel. Above the pixel bound, such a file is not admitted.
std::optional<ImageInfo> bmpInfoFrom(const detail::Admission& admission) {
    if (admission.format != "bmp") return std::nullopt;
    const auto picture = detail::bmpPicture(admission.bmp->head);
    if (!picture) return std::nullopt;
    ImageInfo info;
    info.pixelWidth = picture->width;
    info.pixelHeight = picture->height;
    info.format = admission.format;
    info.hasAlpha = picture->hasAlpha;
    info.decodeBytes = detail::decodeMemory(std::uint64_t(picture->width), std::uint64_t(picture->height),
                                            picture->hasAlpha ? 4 : 3, 1, admission.format);
    return info;
}

}  // namespace

std::optional<ImageInfo> readImageInfo(const std::filesystem::path& path, std::string* error,
                                       ReadFailure* failure) {
    detail::ensureVipsStarted();
    if (failure) *failure = ReadFailure::NotAnImage;
    // A failure to read the header is judged here, by the header alone: what its decoder says goes to
    // no collector of the caller's, so that it never asks for a pass over the pixels.
    const auto heard = std::make_shared<detail::WarningLog>();
    const detail::ReportingScope judgedHere(heard);
    bool damaged = false;
    const auto admission = detail::admitFile(path, error, &damaged);
    if (!admission) {
        if (damaged && failure) *failure = ReadFailure::Damaged;
        if (damaged && error) *error = "unreadable image header: " + *error;
        return std::nullopt;
    }
    if (auto bmp = bmpInfoFrom(*admission)) return bmp;
    // libvips reads a TIFF's header in any compression, and fails only at its pixels.
    if (const auto scheme =
            admission->format == "tiff" ? detail::tiffCompressionNotDecoded(path) : std::nullopt) {
        detail::reportError(error, detail::unsupportedVariantIn(*scheme).value_or(*scheme));
        if (failure) *failure = ReadFailure::Unsupported;
        return std::nullopt;
    }
    // The loader's own words: libvips' error text is every thread's.
    std::string text;
    {
        const detail::OwnErrors own;
        try {
            return infoFrom(detail::openAdmitted(*admission), admission->format);
        } catch (const vips::VError&) {
            text = own.text();
        }
    }
    // Only the header is read again, never a pixel: the words of a header failure are in the header.
    // A JPEG header that libvips gave up on at its limit on warnings, every one harmless, is read by
    // libjpeg.
    if (admission->format == "jpeg") {
        const auto jpeg = detail::jpegHeaderReportKeptIn(heard.get(), path);
        if (jpeg && jpeg->onlyHarmlessWarningsPastVipsLimit()) {
            if (const auto direct = detail::readJpegDirectly(path))
                return infoFrom(*direct, admission->format);
        }
    }
    const auto [kind, words] = headerFailure(*admission, text, *heard);
    switch (kind) {
        case ReadFailure::Unsupported:
        case ReadFailure::NotAboutTheFile:
            detail::reportError(error, words);
            break;
        default:
            detail::reportError(error, "unreadable image header" + (words.empty() ? "" : ": " + words));
    }
    if (failure) *failure = kind;
    return std::nullopt;
}

}  // namespace image
