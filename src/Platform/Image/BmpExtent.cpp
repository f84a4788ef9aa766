#include "Platform/Image/BmpExtent.h"

#include <algorithm>
#include <cstdlib>

namespace image::detail {

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitfields = 3;
constexpr std::uint32_t kAlphaBitfields = 6;

// Palette (256 entries of 4 bytes), colour masks and room for an embedded colour profile: a file
// whose pixels start further in hides something else before them.
constexpr std::uint64_t kMostBytesBeforePixels = kBmpHeaderBytes + 1024 + 16 + 1024 * 1024;

// A version 5 header may embed a colour profile, which writers put after the pixels.
constexpr std::uint32_t kEmbeddedProfile = 0x4d424544;  // "MBED"
constexpr std::uint64_t kLargestProfile = 16 * 1024 * 1024;

std::uint32_t le16(std::span<const std::uint8_t> b, std::size_t at) {
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8;
}

std::uint32_t le32(std::span<const std::uint8_t> b, std::size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

}  // namespace

std::variant<std::uint64_t, BmpTooLarge, BmpUnreadable> bmpExtent(std::span<const std::uint8_t> head,
                                                                  long long pixelBound) {
    constexpr std::size_t kFileHeader = 14;
    if (head.size() < kFileHeader + 4) return BmpUnreadable{};
    const std::uint64_t pixelsAt = le32(head, 10);
    const std::uint32_t infoSize = le32(head, 14);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    if (infoSize == 12) {  // OS/2 1.x: unsigned 16-bit sides, never compressed
        if (head.size() < kFileHeader + 12) return BmpUnreadable{};
        width = le16(head, 18);
        height = le16(head, 20);
        bitsPerPixel = le16(head, 24);
    } else if (infoSize >= 16) {  // Windows and OS/2 2.x: signed 32-bit sides; later fields optional
        if (head.size() < kFileHeader + 16) return BmpUnreadable{};
        width = std::int32_t(le32(head, 18));
        height = std::int32_t(le32(head, 22));  // negative when stored top row first
        bitsPerPixel = le16(head, 28);
        if (infoSize >= 20 && head.size() >= kFileHeader + 20) compression = le32(head, 30);
        if (infoSize >= 24 && head.size() >= kFileHeader + 24) imageSize = le32(head, 34);
    } else {
        return BmpUnreadable{};
    }
    width = std::abs(width);
    height = std::abs(height);
    if (width == 0 || height == 0 || bitsPerPixel == 0 || bitsPerPixel > 64) return BmpUnreadable{};
    if (width * height > pixelBound) return BmpTooLarge{};
    if (pixelsAt > kMostBytesBeforePixels) return BmpUnreadable{};

    std::uint64_t pixelBytes = 0;
    const auto w = std::uint64_t(width);
    const auto h = std::uint64_t(height);
    if (compression == kRgb || compression == kBitfields || compression == kAlphaBitfields) {
        pixelBytes = (w * bitsPerPixel + 31) / 32 * 4 * h;
    } else {
        // Run-length codes take at most a count byte per pixel beside the pixel's own (up to 3
        // bytes), plus an end-of-line code a row and an end-of-image code; an embedded JPEG or PNG
        // stays near its raw size. The header's own size is believed only below that.
        const std::uint64_t worst = h * (4 * w + 2) + 2 + 64 * 1024;
        pixelBytes = imageSize != 0 ? std::min<std::uint64_t>(imageSize, worst) : worst;
    }
    const std::uint64_t extent =
        std::max<std::uint64_t>(pixelsAt, kFileHeader + std::min<std::uint64_t>(infoSize, 124)) + pixelBytes;
    if (infoSize < 124 || head.size() < kFileHeader + 124 || le32(head, kFileHeader + 56) != kEmbeddedProfile)
        return extent;
    // The profile is held when it lies within reach of the image; one placed further is left out.
    const std::uint64_t profileAt = kFileHeader + std::uint64_t(le32(head, kFileHeader + 112));
    const std::uint64_t profileSize = le32(head, kFileHeader + 116);
    if (profileSize > kLargestProfile || profileAt > extent + kMostBytesBeforePixels) return extent;
    return std::max(extent, profileAt + profileSize);
}

}  // namespace image::detail
