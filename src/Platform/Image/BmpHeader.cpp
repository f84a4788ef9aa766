#include "Platform/Image/BmpHeader.h"

#include <cstdlib>

namespace image::detail {

namespace {

constexpr std::size_t kFileHeader = 14;

std::uint32_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8;
}

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

// The depths and compressions ImageMagick reads, for the header versions it reads alike.
bool readsAsImageMagickDoes(const BmpHeader& header) {
    const auto bits = header.bitsPerPixel;
    switch (header.compression) {
        case kBmpRgb:
            return bits == 1 || bits == 4 || bits == 8 || bits == 24 ||
                   (header.infoSize != 12 && (bits == 16 || bits == 32));
        case kBmpRle8:
            return bits == 8 && header.height > 0;
        case kBmpRle4:
            return bits == 4 && header.height > 0;
        case kBmpBitfields:
            return header.infoSize != 12 && (bits == 16 || bits == 32);
        default:
            return false;
    }
}

}  // namespace

std::optional<BmpHeader> bmpHeader(std::span<const std::uint8_t> head) {
    if (head.size() < kFileHeader + 4) return std::nullopt;
    BmpHeader header;
    header.pixelsAt = le32(head, 10);
    header.infoSize = le32(head, 14);
    const auto has = [&](std::size_t field, std::size_t bytes) {
        return header.infoSize >= field + bytes && head.size() >= kFileHeader + field + bytes;
    };
    if (header.infoSize == 12) {  // OS/2 1.x: unsigned 16-bit sides, never compressed
        if (head.size() < kFileHeader + 12) return std::nullopt;
        header.width = le16(head, 18);
        header.height = le16(head, 20);
        header.planes = le16(head, 22);
        header.bitsPerPixel = le16(head, 24);
        return header;
    }
    // Windows and OS/2 2.x: signed 32-bit sides; later fields optional
    if (header.infoSize < 16 || head.size() < kFileHeader + 16) return std::nullopt;
    header.width = std::int32_t(le32(head, 18));
    header.height = std::int32_t(le32(head, 22));
    if (has(12, 2)) header.planes = le16(head, 26);
    if (has(14, 2)) header.bitsPerPixel = le16(head, 28);
    if (has(16, 4)) header.compression = le32(head, 30);
    if (has(20, 4)) header.imageSize = le32(head, 34);
    if (has(32, 4)) header.coloursUsed = le32(head, 46);
    if (header.infoSize >= 108 && has(52, 4)) header.alphaMask = le32(head, 66);
    if (header.infoSize >= 108 && has(56, 4)) header.colourSpace = le32(head, 70);
    if (has(112, 8)) {
        header.profileAt = kFileHeader + std::uint64_t(le32(head, kFileHeader + 112));
        header.profileSize = le32(head, kFileHeader + 116);
    }
    return header;
}

std::optional<BmpPicture> bmpPicture(std::span<const std::uint8_t> head) {
    const auto header = bmpHeader(head);
    if (!header || header->planes != 1 || header->width <= 0 || header->height == 0) return std::nullopt;
    const auto size = header->infoSize;
    if (size != 12 && size != 40 && size != 108 && size != 124) return std::nullopt;
    if (!readsAsImageMagickDoes(*header)) return std::nullopt;
    const auto bits = header->bitsPerPixel;
    if (bits <= 8 ? header->coloursUsed > (1u << bits) : header->coloursUsed != 0) return std::nullopt;
    BmpPicture picture;
    picture.width = int(header->width);
    picture.height = int(std::abs(header->height));
    // Masks in a version 4 or 5 header say whether there is alpha. A 32-bit pixel without masks keeps
    // a byte beside its colours: ImageMagick takes it as alpha unless it is zero in every pixel, which
    // only the pixels can tell; it is counted as alpha here.
    picture.hasAlpha = (header->compression == kBmpBitfields && header->alphaMask != 0) ||
                       (header->compression == kBmpRgb && bits == 32 && size == 40);
    return picture;
}

}  // namespace image::detail
