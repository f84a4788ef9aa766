#include "Platform/AppKit/ImageConversion.h"

#include <cstring>
#include <vector>

#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

namespace appkit {

QImage toQImage(const image::Image& source) {
    image::detail::ensureVipsStarted();
    try {
        vips::VImage pixels = image::toVips(source);
        const bool alpha = pixels.has_alpha();
        if (pixels.interpretation() != VIPS_INTERPRETATION_sRGB || pixels.format() != VIPS_FORMAT_UCHAR)
            pixels = pixels.colourspace(VIPS_INTERPRETATION_sRGB);
        if (pixels.format() != VIPS_FORMAT_UCHAR) pixels = pixels.cast(VIPS_FORMAT_UCHAR);
        // Exactly three colour bands, plus alpha when there is one.
        const int colourBands = alpha ? pixels.bands() - 1 : pixels.bands();
        vips::VImage colour =
            pixels.extract_band(0, vips::VImage::option()->set("n", std::min(colourBands, 3)));
        if (colour.bands() < 3)
            colour = colour.bandjoin({colour, colour}).extract_band(0, vips::VImage::option()->set("n", 3));
        if (alpha) colour = colour.bandjoin(pixels.extract_band(pixels.bands() - 1));
        const int bands = colour.bands();
        std::size_t size = 0;
        void* memory = colour.write_to_memory(&size);
        const int w = colour.width(), h = colour.height();
        QImage out(w, h, bands == 4 ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        const auto* bytes = static_cast<const uchar*>(memory);
        const std::size_t row = static_cast<std::size_t>(w) * static_cast<std::size_t>(bands);
        if (size >= row * static_cast<std::size_t>(h)) {
            for (int y = 0; y < h; ++y)
                std::memcpy(out.scanLine(y), bytes + row * static_cast<std::size_t>(y), row);
        } else {
            out = QImage();
        }
        g_free(memory);
        return out;
    } catch (const vips::VError&) {
        return QImage();
    }
}

std::optional<image::Image> fromQImage(const QImage& qimage) {
    if (qimage.isNull()) return std::nullopt;
    image::detail::ensureVipsStarted();
    const bool alpha = qimage.hasAlphaChannel();
    const QImage rgb = qimage.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int bands = alpha ? 4 : 3, w = rgb.width(), h = rgb.height();
    const std::size_t row = static_cast<std::size_t>(w) * bands;
    std::vector<uchar> packed(row * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        std::memcpy(packed.data() + row * static_cast<std::size_t>(y), rgb.constScanLine(y), row);
    try {
        // libvips takes its own copy of the pixels; `packed` goes away with this call.
        VipsImage* copied =
            vips_image_new_from_memory_copy(packed.data(), packed.size(), w, h, bands, VIPS_FORMAT_UCHAR);
        if (!copied) return std::nullopt;
        vips::VImage pixels(copied, vips::STEAL);
        pixels = pixels.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
        return image::fromVips(pixels);
    } catch (const vips::VError&) {
        return std::nullopt;
    }
}

}  // namespace appkit
