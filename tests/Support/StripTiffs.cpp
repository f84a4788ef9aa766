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

}  // namespace

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
