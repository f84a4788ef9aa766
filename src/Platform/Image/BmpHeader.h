#pragma once
// A BMP file's header fields, and the picture ImageMagick makes of a BMP whose headers are of a kind it
// reads, told from the headers alone without reading a pixel. Pure functions, thread-safe.

#include <cstdint>
#include <optional>
#include <span>

namespace image::detail {

// Enough bytes for the file header and the largest info header.
inline constexpr std::size_t kBmpHeaderBytes = 14 + 124;

inline constexpr std::uint32_t kBmpRgb = 0;
inline constexpr std::uint32_t kBmpRle8 = 1;
inline constexpr std::uint32_t kBmpRle4 = 2;
inline constexpr std::uint32_t kBmpBitfields = 3;
inline constexpr std::uint32_t kBmpAlphaBitfields = 6;

struct BmpHeader {
    std::uint64_t pixelsAt = 0;  // offset of the pixels in the file
    std::uint32_t infoSize = 0;  // 12 for OS/2 1.x, 40 and more for Windows and OS/2 2.x
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative when stored top row first
    std::uint32_t planes = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kBmpRgb;
    std::uint32_t imageSize = 0;    // 0 when left to the reader
    std::uint32_t coloursUsed = 0;  // 0 for the whole palette the depth allows
    std::uint32_t alphaMask = 0;    // only in version 4 and 5 headers
    std::uint32_t colourSpace = 0;  // only in version 4 and 5 headers
    std::uint64_t profileAt = 0;    // offset in the file of an embedded profile (version 5 only)
    std::uint32_t profileSize = 0;
};

// The fields that `head` (the file's first kBmpHeaderBytes, or fewer when the file is shorter) holds;
// absent when the headers are cut short or of no known size. Fields that a short info header lacks
// keep their defaults.
std::optional<BmpHeader> bmpHeader(std::span<const std::uint8_t> head);

struct BmpPicture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
};

// The picture of a BMP whose headers (`head`, as above) are of a kind ImageMagick reads, as it decodes
// it. Absent for any other kind (an unknown depth or compression, an odd header version, an embedded
// JPEG or PNG): only ImageMagick can say how it reads those, or why it does not. The caller refuses
// images above the pixel bound before asking.
std::optional<BmpPicture> bmpPicture(std::span<const std::uint8_t> head);

}  // namespace image::detail
