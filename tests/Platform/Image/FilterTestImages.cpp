#include "FilterTestImages.h"

#include <gtest/gtest.h>

namespace filtertest {

namespace {

vips::VImage asRGB8(const vips::VImage& image) {
    vips::VImage clipped = (image < 0.0).ifthenelse(0.0, (image > 255.0).ifthenelse(255.0, image));
    return (clipped + 0.5)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace

vips::VImage noisy(int w, int h, double level, double sigma, int seed) {
    auto band = [&](int s) {
        return vips::VImage::gaussnoise(
            w, h, vips::VImage::option()->set("mean", level)->set("sigma", sigma)->set("seed", s));
    };
    return asRGB8(vips::VImage::bandjoin({band(seed), band(seed + 1), band(seed + 2)}));
}

vips::VImage step(int w, int h, double left, double right, double sigma) {
    const vips::VImage x = vips::VImage::xyz(w, h).extract_band(0);
    vips::VImage grey = (x < w / 2).ifthenelse(left, right).cast(VIPS_FORMAT_FLOAT);
    if (sigma > 0)
        grey =
            grey + vips::VImage::gaussnoise(
                       w, h, vips::VImage::option()->set("sigma", sigma)->set("mean", 0.0)->set("seed", 3));
    return asRGB8(vips::VImage::bandjoin({grey, grey, grey}));
}

std::optional<vips::VImage> run(std::string_view name, const vips::VImage& input,
                                const ci::Parameters& extra) {
    auto filter = ci::Filter::named(name, extra);
    EXPECT_TRUE(filter.has_value()) << name;
    if (!filter) return std::nullopt;
    filter->setValue(ci::kInputImageKey, image::fromVips(input));
    const auto out = filter->outputImage();
    if (!out) return std::nullopt;
    return image::toVips(*out).copy_memory();
}

std::vector<double> at(const vips::VImage& image, int x, int y) {
    return image.getpoint(x, y);
}

double maxDifference(const vips::VImage& a, const vips::VImage& b) {
    return (a.cast(VIPS_FORMAT_FLOAT) - b.cast(VIPS_FORMAT_FLOAT)).abs().max();
}

double percentile(const vips::VImage& image, double fraction) {
    const vips::VImage rgb = image.extract_band(0, vips::VImage::option()->set("n", 3));
    const vips::VImage y =
        (rgb.recomb(vips::VImage::new_matrixv(3, 1, 0.2126, 0.7152, 0.0722)) + 0.5).cast(VIPS_FORMAT_UCHAR);
    return y.percent(fraction * 100);
}

}  // namespace filtertest
