#include "Platform/Image/BmpExtent.h"

#include <algorithm>
#include <cstdlib>

namespace image::detail {

namespace {

// Palette (256 entries of 4 bytes), colour masks and room for an embedded colour profile: a file
// whose pixels start further in hides something else before them.
constexpr std::uint64_t kMostBytesBeforePixels = kBmpHeaderBytes + 1024 + 16 + 1024 * 1024;

// A version 5 header may embed a colour profile, which writers put after the pixels.
constexpr std::uint32_t kEmbeddedProfile = 0x4d424544;  // "MBED"
constexpr std::uint64_t kLargestProfile = 16 * 1024 * 1024;

}  // namespace

std::variant<std::uint64_t, BmpTooLarge, BmpUnreadable> bmpExtent(std::span<const std::uint8_t> head,
                                                                  long long pixelBound) {
    constexpr std::size_t kFileHeader = 14;
    const auto header = bmpHeader(head);
    if (!header) return BmpUnreadable{};
    const std::uint64_t pixelsAt = header->pixelsAt;
    const std::uint32_t infoSize = header->infoSize;
    const std::int64_t width = std::abs(header->width);
    const std::int64_t height = std::abs(header->height);
    const std::uint32_t bitsPerPixel = header->bitsPerPixel;
    const std::uint32_t compression = header->compression;
    const std::uint32_t imageSize = header->imageSize;
    if (width == 0 || height == 0 || bitsPerPixel == 0 || bitsPerPixel > 64) return BmpUnreadable{};
    if (width * height > pixelBound) return BmpTooLarge{};
    if (pixelsAt > kMostBytesBeforePixels) return BmpUnreadable{};

    std::uint64_t pixelBytes = 0;
    const auto w = std::uint64_t(width);
    const auto h = std::uint64_t(height);
    if (compression == kBmpRgb || compression == kBmpBitfields || compression == kBmpAlphaBitfields) {
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
    if (infoSize < 124 || head.size() < kFileHeader + 124 || header->colourSpace != kEmbeddedProfile)
        return extent;
    // The profile is held when it lies within reach of the image; one placed further is left out.
    const std::uint64_t profileAt = header->profileAt;
    const std::uint64_t profileSize = header->profileSize;
    if (profileSize > kLargestProfile || profileAt > extent + kMostBytesBeforePixels) return extent;
    return std::max(extent, profileAt + profileSize);
}

}  // namespace image::detail
