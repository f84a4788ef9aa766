#include "Platform/Image/DecodeMemory.h"

#include <sys/mman.h>

#include <algorithm>
#include <limits>

#include "Platform/Foundation/TiffDirectories.h"
#include "Platform/Image/LoaderAdmission.h"
#include "Platform/Image/TiffWithoutLargeMetadata.h"
#include "Platform/Image/WarningLog.h"

namespace image::detail {

std::uint64_t decodeMemory(std::uint64_t width, std::uint64_t height, int bands, int bytesPerSample,
                           const std::string& format) {
    const std::uint64_t pixels = width * height;
    std::uint64_t frame = 0;
    if (format == "gif") frame = pixels * 4;  // libnsgif's RGBA frame
    if (format == "heif" || format == "webp") frame = pixels * std::uint64_t(bands * bytesPerSample);
    if (format == "bmp") frame = pixels * 8;  // ImageMagick's 16-bit RGBA
    return pixels * std::uint64_t(bands * bytesPerSample) + frame;
}

namespace {

// The copies of a metadata block that a format's loader holds at once, over its own reading and
// libvips' (measured with one 100 MB XMP block: WebP peaks at 4.1 times it, HEIF at 6.2, counting the
// whole-file read of WebP and HEIF's item read; TIFF's blocks are bounded before libtiff reads them).
int metadataCopies(const std::string& format) {
    if (format == "heif") return 6;
    if (format == "webp" || format == "tiff") return 4;
    return 3;
}

// The text of a string field of `image`, empty when it has none. libvips hands out a plain string
// field from a value it has already freed, so the text is copied while the value lives.
std::string textField(VipsImage* image, const char* name) {
    GValue value = G_VALUE_INIT;
    if (vips_image_get(image, name, &value) != 0) return {};
    std::string text;
    if (G_VALUE_HOLDS_STRING(&value)) {
        if (const char* chars = g_value_get_string(&value)) text = chars;
    } else if (G_VALUE_HOLDS(&value, VIPS_TYPE_REF_STRING)) {
        std::size_t length = 0;
        if (const char* chars = vips_value_get_ref_string(&value, &length)) text.assign(chars, length);
    }
    g_value_unset(&value);
    return text;
}

// The bytes of the metadata blocks and texts attached to a loader's header.
std::uint64_t metadataBytes(const vips::VImage& header) {
    VipsImage* raw = header.get_image();
    std::uint64_t bytes = 0;
    gchar** names = vips_image_get_fields(raw);
    for (gchar** name = names; *name != nullptr; ++name) {
        const GType type = vips_image_get_typeof(raw, *name);
        if (type == VIPS_TYPE_BLOB) {
            const void* data = nullptr;
            std::size_t length = 0;
            if (vips_image_get_blob(raw, *name, &data, &length) == 0) bytes += length;
        } else if (type == G_TYPE_STRING || type == VIPS_TYPE_REF_STRING) {
            bytes += textField(raw, *name).size();
        }
    }
    g_strfreev(names);
    return bytes;
}

// A progressive JPEG's coefficients at its header's size. A header opened shrunk undercounts them
// (libjpeg keeps the whole image's): the decode budget counts them from the full header, and libjpeg's
// own allocations fail softly.
std::uint64_t coefficientMemory(const vips::VImage& header) {
    VipsImage* raw = header.get_image();
    int interlaced = 0;
    if (vips_image_get_typeof(raw, "interlaced") == 0 ||
        vips_image_get_int(raw, "interlaced", &interlaced) != 0 || !interlaced)
        return 0;
    const auto subsampling = textField(raw, "jpeg-chroma-subsample");
    return progressiveCoefficientMemory(std::uint64_t(header.width()), std::uint64_t(header.height()),
                                        header.bands(), subsampling.empty() ? "4:4:4" : subsampling);
}

}  // namespace

std::uint64_t progressiveCoefficientMemory(std::uint64_t width, std::uint64_t height, int components,
                                           const std::string& subsampling) {
    // Each component in 8 x 8 blocks of 64 two-byte coefficients, its blocks padded to whole MCUs.
    const auto blocks = [](std::uint64_t side, std::uint64_t divisor) {
        return ((side + divisor - 1) / divisor + 7) / 8 + 1;
    };
    // Luma (and CMYK's K and alpha) at full size; the two chroma components divided as the
    // subsampling says: "4:2:0" halves both sides, "4:2:2" the width, "4:4:4" neither.
    std::uint64_t across = 1, down = 1;
    if (subsampling == "4:2:0") across = down = 2;
    if (subsampling == "4:2:2") across = 2;
    std::uint64_t total = 0;
    for (int c = 0; c < components; ++c) {
        const bool chroma = components >= 3 && (c == 1 || c == 2);
        total += blocks(width, chroma ? across : 1) * blocks(height, chroma ? down : 1) * 64 * 2;
    }
    return total;
}

std::uint64_t decodeMemory(const vips::VImage& header, const std::string& format) {
    return decodeMemory(std::uint64_t(header.width()), std::uint64_t(header.height()), header.bands(),
                        int(vips_format_sizeof(header.format())), format) +
           (format == "jpeg" ? coefficientMemory(header) : 0) +
           std::uint64_t(metadataCopies(format)) * metadataBytes(header);
}

std::uint64_t headerReadMemory(std::span<const std::uint8_t> head, std::uint64_t fileBytes) {
    // libtiff reads only the blocks its view keeps, each no larger than a real file's.
    if (foundation::TiffDirectoryReader::fromHead(head))
        return std::uint64_t(metadataCopies("tiff")) * std::min(fileBytes, kTiffMetadataKept);
    // Every other loader holds at most the file's size three times over while it reads the header
    // (measured: GIF and WebP read the whole file and copy a block of it once, HEIF twice).
    // A sparse file can claim any size: the product saturates rather than wrap to a few bytes.
    constexpr auto kMost = std::numeric_limits<std::uint64_t>::max();
    return fileBytes > kMost / 3 ? kMost : 3 * fileBytes;
}

bool memoryAvailableFor(std::uint64_t bytes, std::string* error) {
    if (bytes == 0) return true;
    // Mapped, never touched, and unmapped: it costs no memory, only the check of the address-space
    // and commit limits that an allocation of that size meets.
    void* probe = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (probe != MAP_FAILED) {
        ::munmap(probe, bytes);
        return true;
    }
    const std::string words =
        "out of memory: the decoded image needs " + std::to_string(bytes / (1024 * 1024)) + " MB";
    if (const auto& log = currentWarningLog()) log->addFailure(words);
    reportError(error, words);
    return false;
}

}  // namespace image::detail
