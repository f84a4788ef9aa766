#include "Platform/Image/ImageInfo.h"

#include "Platform/Image/BmpHeader.h"
#include "Platform/Image/DecodeMemory.h"
#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegDirect.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/TiffCompression.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

#include <array>
#include <fstream>

namespace image {

namespace {

struct HeaderProblem {
    ReadFailure kind = ReadFailure::Damaged;
    std::string text;
};

// Why the header could not be read, judged from every line the decoders reported on this thread while
// it was read and the newest of the error lines its loader wrote (`text`). A JPEG's warnings are judged
// from its decoder's own account, asked again (`jpeg`, its header only).
HeaderProblem headerProblem(const std::optional<detail::JpegReport>& jpeg, const std::string& format,
                            const std::string& text, const detail::WarningLog& heard) {
    if (jpeg) {
        if (jpeg->unsupported) return {ReadFailure::Unsupported, *jpeg->unsupported};
        if (jpeg->failure) return {ReadFailure::Damaged, *jpeg->failure};
        if (jpeg->corruptData) return {ReadFailure::Damaged, *jpeg->corruptData};
    }
    // Everything heard while the header was read is weighed; the loader's own failure words it, and
    // only where it gave none do the lines heard.
    auto lines = heard.lines();
    const auto newest = detail::newestErrorMessage(text, format == "jpeg");
    if (lines.empty() || newest.text != detail::newestErrorLine("")) {
        lines.push_back(newest);
    } else {
        for (auto& line : lines) line.failure = true;
    }
    auto verdict = detail::verdictOf(lines, true);
    switch (verdict.kind) {
        case detail::ReadVerdict::Kind::Unsupported:
            return {ReadFailure::Unsupported, std::move(verdict.words)};
        case detail::ReadVerdict::Kind::NotAboutTheFile:
            return {ReadFailure::NotAboutTheFile, std::move(verdict.words)};
        case detail::ReadVerdict::Kind::Damaged:
            return {ReadFailure::Damaged, std::move(verdict.words)};
        default:
            return {ReadFailure::Unreadable, std::move(verdict.words)};
    }
}

// Why a WebP's header could not be read when its RIFF header declares more bytes than the file holds:
// it was cut short, which libvips words only as an image it could not parse.
std::optional<std::string> webpCutShort(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<unsigned char, 12> head{};
    if (!in.read(reinterpret_cast<char*>(head.data()), head.size())) return std::nullopt;
    const std::uint64_t declared = 8 + (std::uint64_t(head[4]) | std::uint64_t(head[5]) << 8 |
                                        std::uint64_t(head[6]) << 16 | std::uint64_t(head[7]) << 24);
    std::error_code ec;
    const std::uint64_t holds = std::filesystem::file_size(file, ec);
    if (ec || declared <= holds) return std::nullopt;
    return "WebP data truncated: its RIFF header gives " + std::to_string(declared) +
           " bytes, the file holds " + std::to_string(holds);
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
    const auto jpeg = admission->format == "jpeg" ? detail::readJpegHeaderWarnings(path) : std::nullopt;
    // A header that libvips gave up on at its limit on warnings, every one harmless, is read by libjpeg.
    if (jpeg && jpeg->onlyHarmlessWarningsPastVipsLimit()) {
        if (const auto direct = detail::readJpegDirectly(path)) return infoFrom(*direct, admission->format);
    }
    auto problem = headerProblem(jpeg, admission->format, text, *heard);
    if (admission->format == "webp" && problem.kind == ReadFailure::Unreadable) {
        if (auto cut = webpCutShort(path)) problem = {ReadFailure::Damaged, std::move(*cut)};
    }
    switch (problem.kind) {
        case ReadFailure::Unsupported:
        case ReadFailure::NotAboutTheFile:
            detail::reportError(error, problem.text);
            break;
        default:
            detail::reportError(
                error, "unreadable image header" + (problem.text.empty() ? "" : ": " + problem.text));
    }
    if (failure) *failure = problem.kind;
    return std::nullopt;
}

}  // namespace image
