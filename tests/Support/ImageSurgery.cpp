#include "Support/ImageSurgery.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

std::string le(std::uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += char((v >> (8 * i)) & 0xff);
    return s;
}

std::size_t found(const std::string& bytes, const std::string& what, std::size_t from = 0) {
    const std::size_t at = bytes.find(what, from);
    if (at == std::string::npos) throw std::runtime_error("no " + what + " in the file");
    return at;
}

// Where a GIF's first image's compressed data starts (its first block's length byte).
std::size_t gifFrameData(const std::string& gif) {
    const auto byte = [&](std::size_t i) { return std::uint8_t(gif.at(i)); };
    const auto colourTable = [&](std::size_t flags) {
        return (byte(flags) & 0x80) ? 3u << ((byte(flags) & 7) + 1) : 0u;
    };
    std::size_t i = 13 + colourTable(10);
    while (byte(i) == 0x21) {  // extensions: introducer, label, blocks up to an empty one
        i += 2;
        while (byte(i) != 0) i += byte(i) + 1u;
        ++i;
    }
    if (byte(i) != 0x2c) throw std::runtime_error("no image in the GIF");
    return i + 10 + colourTable(i + 9) + 1;  // descriptor, local colour table, LZW code size
}

}  // namespace

std::string be32(std::uint32_t v) {
    return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}

std::string garbage(std::size_t count, std::uint32_t seed) {
    std::string bytes(count, '\0');
    for (auto& b : bytes) {
        seed = seed * 1664525u + 1013904223u;
        b = char(seed >> 24);
    }
    return bytes;
}

std::string jpegSegment(char marker, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    if (length > 0xffff) throw std::runtime_error("JPEG segment too long");
    return std::string{'\xff', marker, char(length >> 8), char(length & 0xff)} + payload;
}

std::string withJpegSegmentsAtStart(const std::string& jpeg, const std::string& segments) {
    return jpeg.substr(0, 2) + segments + jpeg.substr(2);
}

std::string pngChunk(const std::string& type, const std::string& data) {
    const std::string typed = type + data;
    const auto crc =
        ::crc32(::crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(typed.data()), uInt(typed.size()));
    return be32(std::uint32_t(data.size())) + typed + be32(std::uint32_t(crc));
}

std::string withPngChunkBeforeImageData(const std::string& png, const std::string& chunk) {
    const std::size_t idat = found(png, "IDAT") - 4;
    return png.substr(0, idat) + chunk + png.substr(idat);
}

std::string withPngImageDataOverwritten(const std::string& png, std::size_t offset,
                                        const std::string& bytes) {
    const std::size_t idat = found(png, "IDAT");
    const std::size_t length = (std::uint32_t(std::uint8_t(png[idat - 4])) << 24) |
                               (std::uint32_t(std::uint8_t(png[idat - 3])) << 16) |
                               (std::uint32_t(std::uint8_t(png[idat - 2])) << 8) |
                               std::uint8_t(png[idat - 1]);
    if (offset + bytes.size() > length) throw std::runtime_error("PNG image data chunk too short");
    std::string data = png.substr(idat + 4, length);
    data.replace(offset, bytes.size(), bytes);
    return png.substr(0, idat - 4) + pngChunk("IDAT", data) + png.substr(idat + 4 + length + 4);
}

std::string deflated(const std::string& bytes) {
    uLongf size = ::compressBound(uLong(bytes.size()));
    std::string stream(size, '\0');
    if (::compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
                    reinterpret_cast<const Bytef*>(bytes.data()), uLong(bytes.size()), Z_BEST_SPEED) != Z_OK)
        return {};
    stream.resize(size);
    return stream;
}

std::string pngOf(std::uint32_t width, std::uint32_t height, char colourType, const std::string& rows,
                  char bitDepth) {
    const std::string compressed = deflated(rows);
    if (compressed.empty()) throw std::runtime_error("zlib failed");
    // Deflate, adaptive filtering, not interlaced.
    const std::string header = be32(width) + be32(height) + std::string{bitDepth, colourType, 0, 0, 0};
    return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", compressed) +
           pngChunk("IEND", "");
}

std::string withWebpXmp(const std::string& webp, int width, int height, const std::string& xmp) {
    // The lossy image data, from whichever layout the encoder chose.
    const std::size_t image = found(webp, "VP8 ", 12);
    const std::uint32_t size = std::uint8_t(webp.at(image + 4)) | (std::uint8_t(webp.at(image + 5)) << 8) |
                               (std::uint8_t(webp.at(image + 6)) << 16) |
                               (std::uint32_t(std::uint8_t(webp.at(image + 7))) << 24);
    // The extended header: the XMP flag, three reserved bytes, the canvas' sides less one.
    const std::string header =
        "VP8X" + le(10, 4) + std::string("\x04\0\0\0", 4) + le(width - 1, 3) + le(height - 1, 3);
    const std::string body = "WEBP" + header + webp.substr(image, 8 + size + size % 2) + "XMP " +
                             le(std::uint32_t(xmp.size()), 4) + xmp + std::string(xmp.size() % 2, '\0');
    return "RIFF" + le(std::uint32_t(body.size()), 4) + body;
}

std::string withGifComment(const std::string& gif, std::size_t size) {
    std::string extension = "\x21\xfe";
    for (std::size_t left = size; left > 0;) {
        const std::size_t block = std::min<std::size_t>(left, 255);
        extension += char(block) + std::string(block, 'c');
        left -= block;
    }
    extension += '\0';
    const std::size_t flags = std::uint8_t(gif.at(10));
    const std::size_t start = 13 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u);
    return gif.substr(0, start) + extension + gif.substr(start);
}

std::string withZeroedFrameData(std::string gif) {
    std::vector<std::size_t> blocks;  // where each of the frame's sub-blocks starts
    for (std::size_t at = gifFrameData(gif); gif.at(at) != 0; at += std::uint8_t(gif[at]) + 1u)
        blocks.push_back(at);
    if (blocks.size() < 2) throw std::runtime_error("GIF frame data too short");
    gif.replace(blocks[blocks.size() / 2] - 32, 64, std::string(64, '\0'));
    return gif;
}

std::string withFrameDataEndingEarly(const std::string& gif) {
    std::vector<std::size_t> blocks;  // where each of the frame's sub-blocks starts
    std::size_t end = gifFrameData(gif);
    for (; gif.at(end) != 0; end += std::uint8_t(gif[end]) + 1u) blocks.push_back(end);
    if (blocks.size() < 2) throw std::runtime_error("GIF frame data too short");
    return gif.substr(0, blocks[blocks.size() / 2]) + gif.substr(end);
}

namespace {

// A GIF of one `side` x `side` frame, with a global table of two colours, an image descriptor at the
// origin and an LZW code size of 2, whose data is `codes` in sub-blocks.
std::string gifOfFrame(int side, const std::string& codes) {
    const std::string sides = le(std::uint32_t(side), 2) + le(std::uint32_t(side), 2);
    std::string blocks;
    for (std::size_t at = 0; at < codes.size(); at += 255) {
        const std::size_t length = std::min<std::size_t>(255, codes.size() - at);
        blocks += char(length) + codes.substr(at, length);
    }
    return "GIF89a" + sides + std::string("\x80\0\0\0\0\0\xff\xff\xff", 9) + "," + le(0, 4) + sides +
           std::string("\0\x02", 2) + blocks + std::string("\0;", 2);
}

}  // namespace

std::string gifOfDeclaredSide(int side) {
    return gifOfFrame(side, "\x4c\x01");
}

std::string gifOfOneColour(int side) {
    // LZW codes of a growing width, packed from the lowest bit. After the clear code each code stands
    // for a run one pixel longer than the last, the one the decoder is about to define; a clear code
    // starts again before its table is full.
    constexpr unsigned kClear = 4, kEnd = 5, kFirst = 6;
    std::string codes;
    std::uint32_t pending = 0;
    int pendingBits = 0, width = 3;
    const auto put = [&](unsigned code) {
        pending |= code << pendingBits;
        for (pendingBits += width; pendingBits >= 8; pendingBits -= 8, pending >>= 8) codes += char(pending);
    };
    const auto defined = [&](unsigned& next) {
        if (++next == (1u << width) && width < 12) ++width;
    };
    for (long long left = static_cast<long long>(side) * side; left > 0;) {
        put(kClear);
        width = 3;
        unsigned next = kFirst;
        put(0);
        long long run = 1;
        for (--left; left > 0 && next < 4095; defined(next)) {
            run = std::min(left, run + 1);
            put(run == 1 ? 0 : kFirst + unsigned(run - 2));
            left -= run;
        }
    }
    put(kEnd);
    if (pendingBits > 0) codes += char(pending);
    return gifOfFrame(side, codes);
}

std::string bmpOf(const std::string& rgb, int width, int height) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
    const std::uint32_t pixels = std::uint32_t(stride * height);
    std::string bmp = "BM" + le(54 + pixels, 4) + le(0, 4) + le(54, 4);
    // BITMAPINFOHEADER: size, sides, one plane, 24 bits, no compression, 72 dpi.
    bmp += le(40, 4) + le(width, 4) + le(height, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(pixels, 4) +
           le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4);
    for (int y = height - 1; y >= 0; --y) {  // bottom row first, blue first
        std::string row;
        for (int x = 0; x < width; ++x) {
            const std::size_t p = (std::size_t(y) * width + x) * 3;
            row += {rgb[p + 2], rgb[p + 1], rgb[p]};
        }
        bmp += row + std::string(stride - row.size(), '\0');
    }
    return bmp;
}

std::string withMiddleOverwritten(const std::string& file, const std::string& name,
                                  const std::string& bytes) {
    const std::size_t from = found(file, name) + name.size() + 4;
    const std::size_t middle = from + (file.size() - from) / 2;
    if (middle + bytes.size() > file.size()) throw std::runtime_error(name + " too short");
    std::string overwritten = file;
    overwritten.replace(middle, bytes.size(), bytes);
    return overwritten;
}

}  // namespace testsupport
