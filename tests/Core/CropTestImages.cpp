#include "CropTestImages.h"

#include "Platform/Foundation/AtomicFile.h"
#include "Platform/Image/ImageEncoding.h"

namespace croptest {

image::Image coordinateCanvas(int width, int height) {
    image::Bitmap pixels{width, height, 3, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t i = (std::size_t(y) * width + x) * 3;
            pixels.bytes[i] = std::uint8_t(x % 256);
            pixels.bytes[i + 1] = std::uint8_t(y % 256);
        }
    return *image::imageFromBitmap(pixels);
}

image::Image noisyFieldWithDisc(int width, int height, int cx, int cy, int radius) {
    image::Bitmap pixels{width, height, 3, std::vector<std::uint8_t>(std::size_t(width) * height * 3)};
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const bool inDisc = (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            const auto grey = std::uint8_t(inDisc ? 245 : 80 + ((state >> 24) % 48));
            const std::size_t i = (std::size_t(y) * width + x) * 3;
            pixels.bytes[i] = pixels.bytes[i + 1] = pixels.bytes[i + 2] = grey;
        }
    return *image::imageFromBitmap(pixels);
}

std::filesystem::path savedPng(const image::Image& image, const std::filesystem::path& path) {
    const auto bytes = image::encodedData(image, "png");
    if (bytes) {
        foundation::writeFileAtomically(
            path, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    }
    return path;
}

cg::Rect normalisedFace(const cg::Rect& r, double W, double H) {
    return cg::Rect(r.origin.x / W, 1 - r.origin.y / H, r.size.width / W, r.size.height / H);
}

}  // namespace croptest
