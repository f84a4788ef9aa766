#include "Platform/Image/Bitmap.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

namespace image {

Bitmap bitmap(const Image& image) {
    detail::ensureVipsStarted();
    const vips::VImage pixels = toVips(image).cast(VIPS_FORMAT_UCHAR);
    std::size_t size = 0;
    void* memory = pixels.write_to_memory(&size);
    const auto* begin = static_cast<const std::uint8_t*>(memory);
    Bitmap out{pixels.width(), pixels.height(), pixels.bands(),
               std::vector<std::uint8_t>(begin, begin + size)};
    g_free(memory);
    return out;
}

std::optional<Image> imageFromBitmap(const Bitmap& pixels) {
    if (pixels.width < 1 || pixels.height < 1 || (pixels.bands != 3 && pixels.bands != 4) ||
        pixels.bytes.size() != std::size_t(pixels.width) * pixels.height * pixels.bands)
        return std::nullopt;
    detail::ensureVipsStarted();
    VipsImage* owned = vips_image_new_from_memory_copy(pixels.bytes.data(), pixels.bytes.size(), pixels.width,
                                                       pixels.height, pixels.bands, VIPS_FORMAT_UCHAR);
    if (!owned) return std::nullopt;
    const vips::VImage copy =
        vips::VImage(owned).copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    return fromVips(copy);
}

std::optional<Image> filledImage(cg::Size size, const cg::Color& colour) {
    const int width = int(std::floor(size.width)), height = int(std::floor(size.height));
    if (width < 1 || height < 1) return std::nullopt;
    detail::ensureVipsStarted();
    std::vector<double> values{colour.red * 255, colour.green * 255, colour.blue * 255};
    if (colour.alpha < 1) values.push_back(colour.alpha * 255);
    for (double& v : values) v = std::round(std::clamp(v, 0.0, 255.0));
    const vips::VImage canvas =
        vips::VImage::black(width, height)
            .new_from_image(values)
            .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    return fromVips(canvas);
}

}  // namespace image
