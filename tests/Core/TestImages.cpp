#include "TestImages.h"

#include <vips/vips8>

#include <stdexcept>

#include "Platform/Image/ImageLoading.h"

namespace testsupport {

namespace {

vips::VImage photoLike(int width, int height, unsigned seed, double contrast = 1.0) {
    static const bool started = [] { return VIPS_INIT("vorta-tests") == 0; }();
    if (!started) throw std::runtime_error("libvips did not start");
    auto x = vips::VImage::xyz(width, height);
    auto r = x.extract_band(0) * (255.0 / std::max(1, width));
    auto g = x.extract_band(1) * (255.0 / std::max(1, height));
    auto noise = vips::VImage::gaussnoise(
        width, height,
        vips::VImage::option()->set("sigma", 12.0)->set("mean", 0.0)->set("seed", static_cast<int>(seed)));
    auto b = (r + g) * 0.5;
    auto rgb = (r + noise).bandjoin(g + noise).bandjoin(b + noise);
    if (contrast != 1.0) rgb = rgb * contrast + 10;
    return rgb.cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace

void writeTestImage(const std::filesystem::path& path, int width, int height, unsigned seed,
                    double contrast) {
    std::filesystem::create_directories(path.parent_path());
    photoLike(width, height, seed, contrast).write_to_file(path.c_str());
}

image::Image makeTestImage(int width, int height, unsigned seed) {
    VipsBlob* blob = photoLike(width, height, seed).pngsave_buffer();
    std::size_t size = 0;
    const void* data = vips_blob_get(blob, &size);
    auto loaded = image::loadImage(std::span(static_cast<const std::uint8_t*>(data), size));
    vips_area_unref(VIPS_AREA(blob));
    if (!loaded) throw std::runtime_error("test image did not load");
    return *loaded;
}

std::pair<int, int> imageFileSize(const std::filesystem::path& path) {
    VipsImage* raw = vips_image_new_from_file(path.c_str(), nullptr);
    if (!raw) {
        vips_error_clear();
        return {0, 0};
    }
    const std::pair<int, int> size{vips_image_get_width(raw), vips_image_get_height(raw)};
    g_object_unref(raw);
    return size;
}

bool decodesWhole(const std::filesystem::path& path) {
    photoLike(1, 1, 0);  // starts libvips
    try {
        // Every pixel is decoded; a truncated or damaged file fails instead of giving grey.
        const auto image = vips::VImage::new_from_file(path.c_str(), vips::VImage::option()->set("fail", true));
        (void)image.avg();
        return image.width() > 0 && image.height() > 0;
    } catch (const vips::VError&) {
        vips_error_clear();
        return false;
    }
}

}  // namespace testsupport
