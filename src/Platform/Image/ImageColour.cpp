#include "Platform/Image/ImageColour.h"

#include "Platform/Image/VipsImage.h"

#include <algorithm>

namespace image {

namespace {

// Splits colour and alpha, applies `treat` to the colour bands and puts the alpha back.
template <typename Treatment>
vips::VImage onColourBands(const vips::VImage& in, Treatment treat) {
    if (!in.has_alpha()) return treat(in).rint().cast(VIPS_FORMAT_UCHAR);
    const auto colour = in.extract_band(0, vips::VImage::option()->set("n", in.bands() - 1));
    const auto alpha = in.extract_band(in.bands() - 1);
    return treat(colour).rint().cast(VIPS_FORMAT_UCHAR).bandjoin(alpha);
}

}  // namespace

Image sepiaToned(const Image& image, int intensity) {
    const double amount = std::clamp(intensity, 0, 1);
    if (amount == 0) return image;
    // The classic sepia matrix, mixed with the identity by the intensity.
    const double sepia[3][3] = {{0.393, 0.769, 0.189}, {0.349, 0.686, 0.168}, {0.272, 0.534, 0.131}};
    std::vector<double> mix;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            mix.push_back(amount * sepia[row][column] + (1 - amount) * (row == column ? 1.0 : 0.0));
        }
    }
    const auto matrix = vips::VImage::new_matrix(3, 3, mix.data(), int(mix.size()));
    return fromVips(
        onColourBands(toVips(image), [&](const vips::VImage& rgb) { return rgb.recomb(matrix); }));
}

Image tinted(const Image& image, const cg::Color& colour) {
    const double cover = std::clamp(colour.alpha, 0.0, 1.0);
    const std::vector<double> paint{std::clamp(colour.red, 0.0, 1.0) * 255 * cover,
                                    std::clamp(colour.green, 0.0, 1.0) * 255 * cover,
                                    std::clamp(colour.blue, 0.0, 1.0) * 255 * cover};
    return fromVips(
        onColourBands(toVips(image), [&](const vips::VImage& rgb) { return rgb * (1 - cover) + paint; }));
}

}  // namespace image
