#include "Platform/Image/TiffCompression.h"

#include <tiffio.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <span>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/TiffWithoutLargeMetadata.h"

namespace image::detail {

namespace {

constexpr std::uint16_t kCompressionTag = 259;
constexpr std::uint16_t kShortType = 3, kLongType = 4;

}  // namespace

std::optional<std::string> tiffCompressionNotDecoded(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    if (!file) return std::nullopt;
    std::array<std::uint8_t, 16> head{};
    const auto got = std::fread(head.data(), 1, head.size(), file.get());
    const auto directory = tiffFirstDirectory(std::span<const std::uint8_t>(head.data(), got));
    if (!directory || *directory > std::uint64_t(LONG_MAX)) return std::nullopt;
    const bool bigEndian = head[0] == 'M';
    const bool big = head[bigEndian ? 3 : 2] == 43;
    const auto value = [bigEndian](const std::uint8_t* bytes, std::size_t size) {
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < size; ++i)
            v |= std::uint64_t(bytes[bigEndian ? size - 1 - i : i]) << (8 * i);
        return v;
    };
    // The entry count, then entries in the order of their tags: tag, type, count, value.
    const std::size_t countSize = big ? 8 : 2, entrySize = big ? 20 : 12, countField = big ? 8 : 4;
    std::array<std::uint8_t, 20> entry{};
    if (std::fseek(file.get(), long(*directory), SEEK_SET) != 0 ||
        std::fread(entry.data(), 1, countSize, file.get()) != countSize)
        return std::nullopt;
    std::uint16_t scheme = COMPRESSION_NONE;
    // A directory holds fewer entries below the compression's than there are tags below it, bar repeats.
    for (std::uint64_t left = std::min<std::uint64_t>(value(entry.data(), countSize), 0xffff); left > 0;
         --left) {
        if (std::fread(entry.data(), 1, entrySize, file.get()) != entrySize) return std::nullopt;
        const auto tag = value(entry.data(), 2);
        if (tag > kCompressionTag) break;
        // libtiff takes the scheme as a SHORT or a LONG that fits one.
        const auto type = value(entry.data() + 2, 2);
        if (tag == kCompressionTag && (type == kShortType || type == kLongType)) {
            const auto number = value(entry.data() + 4 + countField, type == kShortType ? 2 : 4);
            if (number > 0xffff) return std::nullopt;
            scheme = std::uint16_t(number);
        }
    }
    if (TIFFIsCODECConfigured(scheme)) return std::nullopt;
    // libtiff's own words, as it gives them when the pixels are asked for.
    const TIFFCodec* codec = TIFFFindCODEC(scheme);
    return codec ? std::string(codec->name) + " compression support is not configured"
                 : "Compression scheme " + std::to_string(scheme) + " decoding is not implemented";
}

}  // namespace image::detail
