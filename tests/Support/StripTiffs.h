#pragma once
// TIFFs of many strips written by libtiff itself, in the compressions encoders use for photos, and the
// bytes of one strip as other decoders take them. For tests; one thread at a time.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace testsupport {

// An 8-bit RGB TIFF of `rgb` (top row first, three bytes a pixel) in strips of 16 rows, written to
// `file` by libtiff in `compression` (its COMPRESSION_ number; JPEG at quality 90); its bytes.
std::string tiffOfStrips(const std::filesystem::path& file, const std::string& rgb, int width, int height,
                         std::uint16_t compression);

// Where strip `index` of the TIFF `file` lies, by its directory.
struct StripPlace {
    std::size_t offset = 0;
    std::size_t count = 0;
};
StripPlace tiffStripPlace(const std::filesystem::path& file, std::uint32_t index);

// The little-endian TIFF `tiff` (as libtiff writes it here) with strip `index` replaced by `strip`,
// which is put after the file's last byte; empty when its directory does not list its strips in longs.
std::string tiffWithStripAtEnd(std::string tiff, std::uint32_t index, const std::string& strip);

// A little-endian grey TIFF `width` wide of `strips` one-row strips in `compression`, every one of which
// is the whole of `stream` (put once, after the header): as a hostile file makes a decoder do its work
// again and again.
std::string tiffOfStripsSharingOneStream(const std::string& stream, std::uint16_t compression,
                                         std::uint32_t width, std::uint32_t strips);

// zlib's words on strip `index` of the deflate TIFF `file`, inflated to the end of its stream and its
// checksum; empty when it is whole.
std::string zlibStripWords(const std::filesystem::path& file, std::uint32_t index);

// Strip `index` of the JPEG-compressed TIFF `file` as a JPEG file: the image's shared tables, then the
// strip's own stream.
std::string jpegOfStrip(const std::filesystem::path& file, std::uint32_t index);

}  // namespace testsupport
