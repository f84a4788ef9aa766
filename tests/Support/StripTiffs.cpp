#include "Support/StripTiffs.h"

#include <tiffio.h>
#include <zlib.h>

#include <memory>
#include <vector>

#include "Support/TempDir.h"

namespace testsupport {

namespace {

using Tiff = std::unique_ptr<TIFF, void (*)(TIFF*)>;

Tiff openTiff(const std::filesystem::path& file, const char* mode) {
    return Tiff(TIFFOpen(file.c_str(), mode), TIFFClose);
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes.at(at + std::size_t(i)));
    return value;
}

void appendLe(std::string& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += char(value >> (8 * i) & 0xff);
}

}  // namespace

std::string tiffOfStripsSharingOneStream(const std::string& stream, std::uint16_t compression,
                                         std::uint32_t width, std::uint32_t strips) {
    std::string tiff("II*\0", 4);
    const auto arrays = std::uint32_t(8 + stream.size());
    appendLe(tiff, arrays + 8 * strips, 4);
    tiff += stream;
    for (std::uint32_t i = 0; i < strips; ++i) appendLe(tiff, 8, 4);
    for (std::uint32_t i = 0; i < strips; ++i) appendLe(tiff, std::uint32_t(stream.size()), 4);
    // Tag, type (3 short, 4 long), count, value.
    const std::uint32_t entries[][4] = {{TIFFTAG_IMAGEWIDTH, 4, 1, width},
                                        {TIFFTAG_IMAGELENGTH, 4, 1, strips},
                                        {TIFFTAG_BITSPERSAMPLE, 3, 1, 8},
                                        {TIFFTAG_COMPRESSION, 3, 1, compression},
                                        {TIFFTAG_PHOTOMETRIC, 3, 1, PHOTOMETRIC_MINISBLACK},
                                        {TIFFTAG_STRIPOFFSETS, 4, strips, arrays},
                                        {TIFFTAG_SAMPLESPERPIXEL, 3, 1, 1},
                                        {TIFFTAG_ROWSPERSTRIP, 4, 1, 1},
                                        {TIFFTAG_STRIPBYTECOUNTS, 4, strips, arrays + 4 * strips}};
    appendLe(tiff, std::size(entries), 2);
    for (const auto& [tag, type, count, value] : entries) {
        appendLe(tiff, tag, 2);
        appendLe(tiff, type, 2);
        appendLe(tiff, count, 4);
        appendLe(tiff, value, type == 3 ? 2 : 4);
        if (type == 3) appendLe(tiff, 0, 2);
    }
    appendLe(tiff, 0, 4);
    return tiff;
}

std::string tiffOfStrips(const std::filesystem::path& file, const std::string& rgb, int width, int height,
                         std::uint16_t compression) {
    {
        const auto tiff = openTiff(file, "w");
        if (!tiff) return {};
        TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, std::uint32_t(width));
        TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, std::uint32_t(height));
        TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, std::uint16_t(3));
        TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, std::uint16_t(8));
        TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(tiff.get(), TIFFTAG_COMPRESSION, compression);
        if (compression == COMPRESSION_JPEG) TIFFSetField(tiff.get(), TIFFTAG_JPEGQUALITY, 90);
        TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, std::uint32_t(16));
        std::vector<std::uint8_t> row(std::size_t(width) * 3);
        for (int y = 0; y < height; ++y) {
            const auto from = rgb.begin() + std::ptrdiff_t(y) * width * 3;
            std::copy(from, from + width * 3, row.begin());
            if (TIFFWriteScanline(tiff.get(), row.data(), std::uint32_t(y), 0) < 0) return {};
        }
    }
    return TempDir::read(file);
}

StripPlace tiffStripPlace(const std::filesystem::path& file, std::uint32_t index) {
    const auto tiff = openTiff(file, "r");
    if (!tiff || index >= TIFFNumberOfStrips(tiff.get())) return {};
    return {std::size_t(TIFFGetStrileOffset(tiff.get(), index)),
            std::size_t(TIFFGetStrileByteCount(tiff.get(), index))};
}

std::string tiffWithStripAtEnd(std::string tiff, std::uint32_t index, const std::string& strip) {
    if (tiff.compare(0, 4, std::string("II*\0", 4)) != 0) return {};
    const std::size_t directory = le(tiff, 4, 4);
    const std::uint32_t entries = le(tiff, directory, 2);
    const std::uint32_t place[] = {std::uint32_t(tiff.size()), std::uint32_t(strip.size())};
    int patched = 0;
    for (std::uint32_t e = 0; e < entries; ++e) {
        const std::size_t entry = directory + 2 + 12 * std::size_t(e);
        const std::uint32_t tag = le(tiff, entry, 2);
        if (tag != TIFFTAG_STRIPOFFSETS && tag != TIFFTAG_STRIPBYTECOUNTS) continue;
        const std::uint32_t count = le(tiff, entry + 4, 4);
        if (le(tiff, entry + 2, 2) != TIFF_LONG || index >= count) return {};
        const std::size_t values = count == 1 ? entry + 8 : le(tiff, entry + 8, 4);
        const std::uint32_t value = place[tag == TIFFTAG_STRIPBYTECOUNTS];
        for (std::size_t i = 0; i < 4; ++i) tiff.at(values + 4 * index + i) = char(value >> (8 * i) & 0xff);
        ++patched;
    }
    return patched == 2 ? tiff + strip : std::string();
}

std::string zlibStripWords(const std::filesystem::path& file, std::uint32_t index) {
    const auto place = tiffStripPlace(file, index);
    std::string strip = TempDir::read(file).substr(place.offset, place.count);
    z_stream stream{};
    if (place.count == 0 || inflateInit(&stream) != Z_OK) return "no strip";
    std::vector<Bytef> out(64 * 1024);
    stream.next_in = reinterpret_cast<Bytef*>(strip.data());
    stream.avail_in = uInt(strip.size());
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        result = inflate(&stream, Z_NO_FLUSH);
    }
    const std::string words = result == Z_STREAM_END ? ""
                              : stream.msg           ? stream.msg
                                                     : "zlib result " + std::to_string(result);
    inflateEnd(&stream);
    return words;
}

std::string jpegOfStrip(const std::filesystem::path& file, std::uint32_t index) {
    const auto place = tiffStripPlace(file, index);
    const std::string strip = TempDir::read(file).substr(place.offset, place.count);
    const auto tiff = openTiff(file, "r");
    std::uint32_t count = 0;
    void* tables = nullptr;
    if (!tiff || !TIFFGetField(tiff.get(), TIFFTAG_JPEGTABLES, &count, &tables) || count < 4 ||
        strip.size() < 2)
        return strip;
    // The tables' stream without its end marker, then the strip's without its start marker.
    return std::string(static_cast<const char*>(tables), count - 2) + strip.substr(2);
}

}  // namespace testsupport
