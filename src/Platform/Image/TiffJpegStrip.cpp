#include "Platform/Image/TiffJpegStrip.h"

#include <vector>

#include "Platform/Image/JpegDecompressor.h"

namespace image::detail {

std::optional<std::string> jpegStripDamage(int fd, std::span<const std::uint8_t> tables, std::uint64_t offset,
                                           std::uint64_t count) {
    // The pixels are not looked at: they are decoded at an eighth of their size, as they are stored.
    const auto decoder = JpegDecompressor::open(fd, tables, offset, count,
                                                {.stopsAtCorruptData = true, .convertsColour = false});
    if (!decoder) return std::nullopt;
    if (decoder->readHeader() && decoder->scale(8, JDCT_IFAST) && decoder->start()) {
        std::vector<JSAMPLE> row(std::size_t(decoder->info().output_width) *
                                 std::size_t(decoder->info().output_components));
        while (decoder->info().output_scanline < decoder->info().output_height &&
               decoder->readRow(row.data())) {
        }
        decoder->finish();
    }
    const auto& report = decoder->report();
    if (report.corruptData) return report.corruptData;
    return report.failure;
}

}  // namespace image::detail
