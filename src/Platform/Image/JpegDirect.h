#pragma once
// A JPEG file as a libvips image whose pixels libjpeg decodes itself, for the files libvips' own loader
// gives up on at its decoder's 100th warning, however harmless: libjpeg has no such limit. The image is
// the one libvips' loader gives (1, 3 or 4 bands of 8 bits in B_W, sRGB or CMYK, Photoshop's inverted
// CMYK turned back, the EXIF block with its orientation, the XMP and IPTC blocks and the ICC profile
// attached). Its pixels are
// read once, from top to bottom, by one reader that asks for every row (decodedReportingTo's decode);
// the decode fails at the first word of corrupt data or the decoder's first error, in the decoder's
// words. Of the file's metadata only those blocks are held, each once. Thread-safe.

#include <vips/vips8>

#include <filesystem>
#include <functional>
#include <optional>

namespace image::detail {

// The file's image at `eighthsFor(header)`/8 of its size (1 to 8; the whole size without it), `header`
// being its header at full size: libjpeg scales while it decodes, for much less than decoding the whole
// and resampling. An image above the pixel bound keeps its full size and is never decoded. Absent when the
// file cannot be read as a JPEG, or its header says it is damaged or a variant that is not read here.
std::optional<vips::VImage> readJpegDirectly(
    const std::filesystem::path& file, const std::function<int(const vips::VImage& header)>& eighthsFor = {});

// The largest reduction libvips' decoders offer (1/2, 1/4, 1/8) that still leaves at least `factor`'s
// worth of pixels, so that a resample after it always scales down.
int decoderShrinkFor(double factor);

// The fewest eighths of its size (1, 2, 3, 4 or 8) at which libjpeg decodes an image `factor` times the
// size wanted, so that a resample after it always scales down.
int decoderEighthsFor(double factor);

}  // namespace image::detail
