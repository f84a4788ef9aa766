#include "Platform/Image/TiffJpegStrip.h"

#include <vector>

#include "Platform/Image/JpegDecompressor.h"

namespace image::detail {

std::optional<std::string> jpegStripDamage(int fd, std::span<const std::uint8_t> tables, std::uint64_t offset,
                                           std::uint64_t count, JpegStripSize expected) {
    // The pixels are not looked at: they are decoded at an eighth of their size, as they are stored.
    const auto decoder = JpegDecompressor::open(fd, tables, offset, count,
                                                {.stopsAtCorruptData = true, .convertsColour = false});
    if (!decoder) return std::nullopt;
    const auto words = [&decoder] {
        const auto& report = decoder->report();
        return report.corruptData ? report.corruptData : report.failure;
    };
    if (!decoder->readHeader()) return words();
    if (decoder->info().image_width > expected.width || decoder->info().image_height > expected.rows)
        return std::nullopt;
    if (decoder->scale(8, JDCT_IFAST) && decoder->start()) {
        std::vector<JSAMPLE> row(std::size_t(decoder->info().output_width) *
                                 std::size_t(decoder->info().output_components));
        while (decoder->info().output_scanline < decoder->info().output_height &&
               decoder->readRow(row.data())) {
        }
        decoder->finish();
    }
    return words();
}

}  // namespace image::detail
