#include "Platform/Image/TiffStripData.h"

#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdint>
#include <memory>
#include <span>

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/TiffJpegStrip.h"
#include "Platform/Image/TiffWithoutLargeMetadata.h"

namespace image::detail {

namespace {

constexpr std::size_t kPiece = 16 * 1024;
// What the deflate streams of a file may give beyond its image's own decoded size, in all, before their
// checksums: a stream may end in a little more than its strip.
constexpr std::uint64_t kInflatedSlack = 4 * kPiece;

// libtiff's words on this handle are kept from the handlers libvips and the decoders' routing set:
// this reading of the file is not the decode's.
int quiet(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

// The file as libtiff reads it, through its view.
struct ViewedFile {
    TiffViewRead read;
    std::uint64_t size = 0;
    std::uint64_t at = 0;
};

tmsize_t readViewed(thandle_t handle, void* into, tmsize_t count) {
    auto& file = *static_cast<ViewedFile*>(handle);
    const auto got = file.read(file.at, static_cast<std::uint8_t*>(into), std::size_t(count));
    if (got > 0) file.at += std::uint64_t(got);
    return tmsize_t(got);
}

tmsize_t writeNothing(thandle_t, void*, tmsize_t) {
    return -1;
}

toff_t seekViewed(thandle_t handle, toff_t offset, int whence) {
    auto& file = *static_cast<ViewedFile*>(handle);
    file.at = whence == SEEK_CUR ? file.at + offset : whence == SEEK_END ? file.size + offset : offset;
    return file.at;
}

toff_t sizeOfViewed(thandle_t handle) {
    return static_cast<ViewedFile*>(handle)->size;
}

struct Inflater {
    z_stream stream{};
    bool started = false;
    ~Inflater() {
        if (started) inflateEnd(&stream);
    }
};

// zlib's words for why the deflate stream of `count` bytes at `offset` is corrupt. What it gives is
// taken from `allowance`, the output the file's streams have left; a stream that would give more is
// not judged.
std::optional<std::string> deflateDamage(int fd, std::uint64_t offset, std::uint64_t count,
                                         std::uint64_t& allowance) {
    Inflater inflater;
    if (inflateInit(&inflater.stream) != Z_OK) return std::nullopt;
    inflater.started = true;
    std::array<unsigned char, kPiece> in{}, out{};
    for (std::uint64_t at = offset; at < offset + count;) {
        const ssize_t got = ::pread(
            fd, in.data(), std::size_t(std::min<std::uint64_t>(kPiece, offset + count - at)), off_t(at));
        if (got <= 0) return std::nullopt;
        at += std::uint64_t(got);
        inflater.stream.next_in = in.data();
        inflater.stream.avail_in = uInt(got);
        do {
            inflater.stream.next_out = out.data();
            inflater.stream.avail_out = kPiece;
            const int result = inflate(&inflater.stream, Z_NO_FLUSH);
            const std::uint64_t inflated = kPiece - inflater.stream.avail_out;
            // libtiff stops once the strip is full, but what it read is whole only when the whole stream
            // is: a stream that gives more than its strip is read on to its checksum, within the
            // file's bound on the work.
            if (inflated > allowance) {
                allowance = 0;
                return std::nullopt;
            }
            allowance -= inflated;
            if (result == Z_STREAM_END) return std::nullopt;
            if (result == Z_DATA_ERROR || result == Z_NEED_DICT)
                return std::string(inflater.stream.msg ? inflater.stream.msg : "invalid deflate data");
            if (result != Z_OK && result != Z_BUF_ERROR) return std::nullopt;
        } while (inflater.stream.avail_in > 0 || inflater.stream.avail_out == 0);
    }
    // A stream that stops before its checksum: libtiff names a strip it leaves short itself.
    return std::nullopt;
}

}  // namespace

std::optional<std::string> tiffStripDamage(const std::filesystem::path& path) {
    const std::shared_ptr<std::FILE> file = openRegularFile(path);
    if (!file) return std::nullopt;
    const int fd = ::fileno(file.get());
    struct stat status {};
    if (::fstat(fd, &status) != 0) return std::nullopt;
    // libtiff reads every entry of the directory into memory: it is given the file without its large
    // metadata blocks, which hold no pixels.
    ViewedFile viewed{tiffReadWithoutLargeMetadata(file), std::uint64_t(status.st_size)};
    std::unique_ptr<TIFFOpenOptions, void (*)(TIFFOpenOptions*)> options(TIFFOpenOptionsAlloc(),
                                                                         TIFFOpenOptionsFree);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), quiet, nullptr);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), quiet, nullptr);
    const std::unique_ptr<TIFF, void (*)(TIFF*)> tiff(
        TIFFClientOpenExt(
            path.c_str(), "rm", &viewed, readViewed, writeNothing, seekViewed, [](thandle_t) { return 0; },
            sizeOfViewed, nullptr, nullptr, options.get()),
        TIFFClose);
    if (!tiff) return std::nullopt;
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_COMPRESSION, &compression);
    const bool deflate = compression == COMPRESSION_ADOBE_DEFLATE || compression == COMPRESSION_DEFLATE;
    if (!deflate && compression != COMPRESSION_JPEG) return std::nullopt;
    std::span<const std::uint8_t> tables;
    std::uint32_t tablesSize = 0;
    void* tablesData = nullptr;
    if (compression == COMPRESSION_JPEG &&
        TIFFGetField(tiff.get(), TIFFTAG_JPEGTABLES, &tablesSize, &tablesData))
        tables = {static_cast<const std::uint8_t*>(tablesData), tablesSize};

    const bool tiled = TIFFIsTiled(tiff.get());
    const std::uint32_t pieces = tiled ? TIFFNumberOfTiles(tiff.get()) : TIFFNumberOfStrips(tiff.get());
    std::uint32_t width = 0, height = 0, rowsPerStrip = 0, tileWidth = 0, tileLength = 0;
    TIFFGetField(tiff.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff.get(), TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    TIFFGetField(tiff.get(), TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tiff.get(), TIFFTAG_TILELENGTH, &tileLength);
    rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, std::max<std::uint32_t>(height, 1));
    // With one plane a sample, each plane has its own strips.
    const std::uint64_t stripsPerPlane =
        std::max<std::uint64_t>((std::uint64_t(height) + rowsPerStrip - 1) / rowsPerStrip, 1);
    const auto decodedSize = [&](std::uint32_t i) -> std::uint64_t {
        if (tiled) return TIFFTileSize64(tiff.get());
        const std::uint64_t firstRow = i % stripsPerPlane * rowsPerStrip;
        const auto rows =
            std::uint32_t(firstRow < height ? std::min<std::uint64_t>(rowsPerStrip, height - firstRow) : 0);
        return TIFFVStripSize64(tiff.get(), rows);
    };
    // The strips of a whole file lie apart in it, and give the image's own decoded size: a file whose
    // strips take more of either (many strips pointing at one stream) is not judged past that, the work
    // bounded by the file's own size.
    std::uint64_t inflatable = kInflatedSlack;
    if (deflate) {
        for (std::uint32_t i = 0; i < pieces; ++i) inflatable += decodedSize(i);
    }
    const std::uint64_t fileSize = viewed.size;
    std::uint64_t judged = 0;
    const char* kind = tiled ? "tile " : "strip ";
    for (std::uint32_t i = 0; i < pieces; ++i) {
        const std::uint64_t offset = TIFFGetStrileOffset(tiff.get(), i);
        // A strip with no data, or past the file's end, is libtiff's to name.
        if (offset == 0 || offset >= fileSize) continue;
        const std::uint64_t count = std::min(TIFFGetStrileByteCount(tiff.get(), i), fileSize - offset);
        if (count == 0) continue;
        judged += count;
        if (judged > fileSize) return std::nullopt;
        std::optional<std::string> damage;
        if (deflate) {
            damage = deflateDamage(fd, offset, count, inflatable);
            if (!damage && inflatable == 0) return std::nullopt;
        } else {
            // libtiff refuses a strip whose JPEG is larger than the strip; it may be as tall as a
            // strip where the image ends earlier.
            const JpegStripSize expected =
                tiled ? JpegStripSize{tileWidth, tileLength} : JpegStripSize{width, rowsPerStrip};
            damage = jpegStripDamage(fd, tables, offset, count, expected);
        }
        if (damage) return kind + std::to_string(i) + ": " + *damage;
    }
    return std::nullopt;
}

}  // namespace image::detail
