#include "Platform/Image/PngImageData.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

namespace {

constexpr std::size_t kPiece = 16 * 1024;

std::uint32_t be32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) << 24 | std::uint32_t(bytes[1]) << 16 | std::uint32_t(bytes[2]) << 8 |
           bytes[3];
}

// The bytes the image's rows take once inflated (each row after its filter byte, every pass of an
// interlaced image), from its header's data; absent for a header no decoder takes or above the pixel
// bound.
std::optional<std::uint64_t> inflatedSize(const unsigned char* header) {
    const std::uint64_t width = be32(header), height = be32(header + 4);
    const unsigned depth = header[8], colourType = header[9], interlace = header[12];
    const std::array<unsigned, 7> channelsOf = {1, 0, 3, 1, 2, 0, 4};
    const unsigned channels = colourType < channelsOf.size() ? channelsOf[colourType] : 0;
    if (width == 0 || height == 0 || channels == 0 || depth == 0 || depth > 16 || interlace > 1 ||
        width * height > std::uint64_t(kMaximumPixels))
        return std::nullopt;
    const auto rowsOf = [&](std::uint64_t w, std::uint64_t h) -> std::uint64_t {
        return w == 0 ? 0 : h * (1 + (w * channels * depth + 7) / 8);
    };
    if (interlace == 0) return rowsOf(width, height);
    // Adam7: each pass's first column and row, and its steps across and down.
    constexpr std::array<std::array<unsigned, 4>, 7> passes = {
        {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}};
    std::uint64_t size = 0;
    for (const auto& [x, y, across, down] : passes) {
        const std::uint64_t w = width > x ? (width - x + across - 1) / across : 0;
        const std::uint64_t h = height > y ? (height - y + down - 1) / down : 0;
        size += rowsOf(w, h);
    }
    return size;
}

struct Inflater {
    z_stream stream{};
    bool started = false;
    ~Inflater() {
        if (started) inflateEnd(&stream);
    }
};

}  // namespace

std::optional<std::string> pngImageDataDamage(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    if (!file) return std::nullopt;
    std::array<unsigned char, 8> signature{};
    if (std::fread(signature.data(), 1, signature.size(), file.get()) != signature.size() ||
        std::memcmp(signature.data(), "\x89PNG\r\n\x1a\n", signature.size()) != 0)
        return std::nullopt;
    std::optional<std::uint64_t> expected;
    std::uint64_t inflated = 0;
    bool inImageData = false;
    Inflater inflater;
    std::array<unsigned char, kPiece> in{}, out{};
    for (;;) {
        std::array<unsigned char, 8> head{};
        if (std::fread(head.data(), 1, head.size(), file.get()) != head.size()) return std::nullopt;
        const std::uint32_t length = be32(head.data());
        const bool imageData = std::memcmp(head.data() + 4, "IDAT", 4) == 0;
        // The stream's chunks follow each other; one that stops before its end is libpng's to name.
        if (inImageData && !imageData) return std::nullopt;
        if (std::memcmp(head.data() + 4, "IHDR", 4) == 0 && length == 13) {
            std::array<unsigned char, 13> header{};
            if (std::fread(header.data(), 1, header.size(), file.get()) != header.size()) return std::nullopt;
            expected = inflatedSize(header.data());
            if (!expected) return std::nullopt;
            if (std::fseek(file.get(), 4, SEEK_CUR) != 0) return std::nullopt;
            continue;
        }
        if (!imageData) {
            if (std::memcmp(head.data() + 4, "IEND", 4) == 0 || length > 0x7fffffffu ||
                std::fseek(file.get(), long(length) + 4, SEEK_CUR) != 0)
                return std::nullopt;
            continue;
        }
        if (!expected) return std::nullopt;
        if (!inflater.started) {
            if (inflateInit(&inflater.stream) != Z_OK) return std::nullopt;
            inflater.started = true;
            inImageData = true;
        }
        for (std::uint32_t left = length; left > 0;) {
            const auto piece = static_cast<uInt>(std::min<std::uint32_t>(left, kPiece));
            if (std::fread(in.data(), 1, piece, file.get()) != piece) return std::nullopt;
            left -= piece;
            inflater.stream.next_in = in.data();
            inflater.stream.avail_in = piece;
            do {
                inflater.stream.next_out = out.data();
                inflater.stream.avail_out = kPiece;
                const int result = inflate(&inflater.stream, Z_NO_FLUSH);
                inflated += kPiece - inflater.stream.avail_out;
                // Data beyond the image: libpng has read every row by then and reads no further.
                if (inflated > *expected || result == Z_STREAM_END) return std::nullopt;
                if (result == Z_DATA_ERROR || result == Z_NEED_DICT)
                    return std::string("IDAT: ") +
                           (inflater.stream.msg ? inflater.stream.msg : "invalid data");
                if (result != Z_OK && result != Z_BUF_ERROR) return std::nullopt;
            } while (inflater.stream.avail_in > 0 || inflater.stream.avail_out == 0);
        }
        // The chunk's checksum: libpng judges it.
        if (std::fseek(file.get(), 4, SEEK_CUR) != 0) return std::nullopt;
    }
}

}  // namespace image::detail
