#include "Platform/Image/ImageEncoding.h"

#include "Platform/Image/CarriedText.h"
#include "Platform/Image/ColourNormalisation.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/OwnErrors.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <semaphore>

namespace image {

namespace {

// libvips' HEIF default (50) is visibly soft on photos.
constexpr int kHeifQuality = 90;
// HEVC encodes that may run at once, within a job's memory bound.
constexpr std::ptrdiff_t kHeifEncodesAtOnce = 3;

// Gives an encoder's turn back however the encode ends.
struct HeifTurn {
    std::counting_semaphore<kHeifEncodesAtOnce>& encoders;
    ~HeifTurn() { encoders.release(); }
};

struct BlobRelease {
    void operator()(VipsBlob* blob) const { vips_area_unref(VIPS_AREA(blob)); }
};

foundation::Data takeBytes(VipsBlob* raw) {
    const std::unique_ptr<VipsBlob, BlobRelease> blob(raw);
    size_t length = 0;
    const auto* bytes = static_cast<const std::uint8_t*>(vips_blob_get(blob.get(), &length));
    return foundation::Data(bytes, bytes + length);
}

// sRGB values with no profile attached (so no saver embeds one) and no orientation (the pixels are
// upright); the EXIF, XMP and IPTC blocks ride along untouched, and the texts a saver can write.
vips::VImage prepared(const Image& image) {
    auto out = detail::toSRGB8(toVips(image)).copy();
    out.remove(VIPS_META_ORIENTATION);
    detail::dropUnwritableText(out);
    return out;
}

int qualityFrom(double factor) {
    return std::clamp(int(std::lround(factor * 100)), 1, 100);
}

foundation::Data encode(const vips::VImage& pixels, FileType type, std::optional<double> factor) {
    switch (type) {
        case FileType::JPEG: {
            // JPEG has no alpha: transparent parts come out white, as on paper.
            const auto opaque = pixels.has_alpha() ? pixels.flatten(vips::VImage::option()->set(
                                                         "background", std::vector<double>{255, 255, 255}))
                                                   : pixels;
            return takeBytes(opaque.cast(VIPS_FORMAT_UCHAR)
                                 .jpegsave_buffer(vips::VImage::option()
                                                      ->set("Q", qualityFrom(factor.value_or(0.75)))
                                                      ->set("subsample_mode", VIPS_FOREIGN_SUBSAMPLE_OFF)));
        }
        case FileType::PNG:
            return takeBytes(pixels.pngsave_buffer());
        case FileType::TIFF:
            return takeBytes(pixels.tiffsave_buffer(
                vips::VImage::option()->set("compression", VIPS_FOREIGN_TIFF_COMPRESSION_NONE)));
        case FileType::GIF:
            return takeBytes(pixels.gifsave_buffer());
        case FileType::BMP:
            return takeBytes(pixels.magicksave_buffer(vips::VImage::option()->set("format", "bmp")));
        case FileType::JPEG2000: {
            const bool lossless = !factor || *factor >= 1.0;
            auto options = vips::VImage::option()->set("lossless", lossless);
            if (!lossless) options->set("Q", qualityFrom(*factor));
            return takeBytes(pixels.jp2ksave_buffer(options));
        }
        case FileType::HEIF: {
            // The HEVC encoder keeps few of its own threads busy on one still frame, so encodes run side
            // by side; each holds 50 to 180 MB more, so only a few at once. Eight full HD frames of a
            // job, back to back on a shared machine: one at a time 112 s and 365 MB, three at once 52 s
            // and 481 MB (bench/heic_encode and bench/RESULTS.md). The pixels are rendered first, so
            // decoding and scaling stay parallel and out of the encoder's turn.
            const auto rendered = pixels.copy_memory();
            static std::counting_semaphore<kHeifEncodesAtOnce> heifEncoders(kHeifEncodesAtOnce);
            heifEncoders.acquire();
            const HeifTurn turn{heifEncoders};
            return takeBytes(
                rendered.heifsave_buffer(vips::VImage::option()
                                             ->set("Q", kHeifQuality)
                                             ->set("compression", VIPS_FOREIGN_HEIF_COMPRESSION_HEVC)));
        }
    }
    return takeBytes(pixels.pngsave_buffer());
}

}  // namespace

std::optional<foundation::Data> encodedData(const Image& image, std::string_view extension,
                                            std::string* error) {
    const FileType type = fileTypeForExtension(extension);
    return encodedData(image, type, type == FileType::JPEG ? std::optional(1.0) : std::nullopt, error);
}

std::optional<foundation::Data> encodedData(const Image& image, FileType type,
                                            std::optional<double> compressionFactor, std::string* error) {
    // The encoder's own words: libvips' error text is every thread's.
    const detail::OwnErrors own;
    try {
        auto bytes = encode(prepared(image), type, compressionFactor);
        detail::forgetErrors();
        if (bytes.empty()) {
            detail::reportError(error, "the encoder produced no data");
            return std::nullopt;
        }
        return bytes;
    } catch (const vips::VError&) {
        detail::reportError(error, "could not encode the image: " + detail::newestErrorLine(own.text()));
        return std::nullopt;
    }
}

std::optional<foundation::Data> heifData(const Image& image, std::string* error) {
    return encodedData(image, FileType::HEIF, std::nullopt, error);
}

}  // namespace image
