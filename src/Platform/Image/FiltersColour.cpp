// The colour effects: the photo looks, toning, inversion, posterizing, colour cubes and vignettes.
// Each works on the colour bands of an 8-bit image and keeps its alpha.

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <algorithm>
#include <cmath>

namespace ci::detail {

namespace {

using px::Curve;

std::vector<double> saturationMatrix(double s) {
    const double r = 0.2126, g = 0.7152, b = 0.0722;
    return {(1 - s) * r + s, (1 - s) * g,     (1 - s) * b,  //
            (1 - s) * r,     (1 - s) * g + s, (1 - s) * b,  //
            (1 - s) * r,     (1 - s) * g,     (1 - s) * b + s};
}

Curve spline(std::vector<std::pair<double, double>> points) {
    return px::splineThrough(std::move(points));
}

// A fixed look: a colour matrix followed by a curve per band.
FilterKind look(std::string name, std::vector<double> matrix, Curve red, Curve green, Curve blue) {
    const vips::VImage table = px::lookupTable(red, green, blue);
    return colourBandsFilter(std::move(name), {},
                             [matrix, table](const vips::VImage& rgb, const FilterInputs&) {
                                 return px::mapped(px::matrix(rgb, matrix), table);
                             });
}

// A black-and-white look: luma through a curve.
FilterKind greyLook(std::string name, Curve curve) {
    const vips::VImage table = px::lookupTable(curve);
    return colourBandsFilter(std::move(name), {}, [table](const vips::VImage& rgb, const FilterInputs&) {
        return px::grey3(px::mapped(px::luma(rgb), table));
    });
}

vips::VImage constant(const vips::VImage& like, const std::vector<double>& colour) {
    return like.new_from_image(colour).cast(VIPS_FORMAT_FLOAT);
}

std::vector<double> colourOf(const FilterInputs& in, std::string_view key, std::vector<double> fallback) {
    auto c = in.vector(key, fallback);
    c.resize(3, 0.0);
    for (auto& v : c) v *= 255.0;
    return c;
}

vips::VImage sepia(const vips::VImage& rgb, double intensity) {
    const vips::VImage toned =
        px::matrix(rgb, {0.393, 0.769, 0.189, 0.349, 0.686, 0.168, 0.272, 0.534, 0.131});
    return px::mix(rgb.cast(VIPS_FORMAT_FLOAT), toned, std::clamp(intensity, 0.0, 1.0));
}

// Overlay of the luma on a colour: black stays black, white stays white, mid-grey takes the colour.
vips::VImage monochrome(const vips::VImage& rgb, const std::vector<double>& colour, double intensity) {
    const vips::VImage y = px::grey3(px::luma(rgb)) / 255.0;
    std::vector<double> c = colour, inverse(3);
    for (int i = 0; i < 3; ++i) inverse[i] = 255.0 - c[i];
    const vips::VImage low = y * 2.0 * c;
    const vips::VImage high = (y * -1.0 + 1.0) * 2.0 * inverse * -1.0 + 255.0;
    const vips::VImage toned = (y < 0.5).ifthenelse(low, high);
    return px::mix(rgb.cast(VIPS_FORMAT_FLOAT), toned, std::clamp(intensity, 0.0, 1.0));
}

vips::VImage polynomial(const vips::VImage& rgb, const FilterInputs& in) {
    const vips::VImage u = rgb.cast(VIPS_FORMAT_FLOAT) / 255.0;
    const vips::VImage r = u.extract_band(0), g = u.extract_band(1), b = u.extract_band(2);
    const std::vector<vips::VImage> terms = {r, g, b, r * r, g * g, b * b, r * g, g * b, b * r};
    auto channel = [&](std::string_view key, std::vector<double> identity) {
        auto k = in.vector(key, identity);
        k.resize(10, 0.0);
        vips::VImage sum = r * 0.0 + k[9];
        for (size_t i = 0; i < terms.size(); ++i)
            if (k[i] != 0) sum = sum + terms[i] * k[i];
        return sum;
    };
    const std::vector<double> zero(10, 0.0);
    auto unit = [&](int i) {
        auto v = zero;
        v[i] = 1;
        return v;
    };
    return vips::VImage::bandjoin({channel("inputRedCoefficients", unit(0)),
                                   channel("inputGreenCoefficients", unit(1)),
                                   channel("inputBlueCoefficients", unit(2))}) *
           255.0;
}

std::vector<double> identityCube(int d) {
    std::vector<double> data;
    for (int b = 0; b < d; ++b)
        for (int g = 0; g < d; ++g)
            for (int r = 0; r < d; ++r)
                data.insert(data.end(), {r / double(d - 1), g / double(d - 1), b / double(d - 1), 1.0});
    return data;
}

// The cube's data (RGBA floats, red fastest) laid out as one row of d x d tiles, one per blue step.
std::optional<vips::VImage> cubeTable(const FilterInputs& in) {
    const int d = int(in.number("inputCubeDimension", 2));
    const auto data = in.vector("inputCubeData", identityCube(2));
    if (d < 2 || d > 128 || data.size() != size_t(d) * d * d * 4) return std::nullopt;
    std::vector<float> pixels(size_t(d) * d * d * 3);
    for (int b = 0; b < d; ++b)
        for (int g = 0; g < d; ++g)
            for (int r = 0; r < d; ++r) {
                const size_t from = ((size_t(b) * d + g) * d + r) * 4;
                const size_t to = (size_t(g) * d * d + size_t(b) * d + r) * 3;
                for (int c = 0; c < 3; ++c)
                    pixels[to + c] = float(std::clamp(data[from + c], 0.0, 1.0) * 255.0);
            }
    return px::copyOf(pixels.data(), pixels.size() * sizeof(float), d * d, d, 3, VIPS_FORMAT_FLOAT);
}

FilterKind colourCube(std::string name, Parameters extra) {
    extra.emplace("inputCubeDimension", 2.0);
    extra.emplace("inputCubeData", identityCube(2));
    return {std::move(name), imageInputOnly(), std::move(extra),
            [](const FilterInputs& in) -> std::optional<vips::VImage> {
                auto image = in.inputImage();
                auto table = cubeTable(in);
                if (!image || !table) return std::nullopt;
                // A cube that gives every colour back as it is leaves the image alone.
                const int dimension = int(in.number("inputCubeDimension", 2));
                const auto data = in.vector("inputCubeData");
                const auto identity = identityCube(dimension);
                if (std::equal(data.begin(), data.end(), identity.begin(), identity.end(),
                               [](double a, double b) { return std::abs(a - b) < 1e-6; }))
                    return *image;
                const int d = table->height();
                return px::onColour(
                    *image, [&](const vips::VImage& rgb) { return px::cubeLookup(rgb, *table, d, d); });
            }};
}

// Distance of every pixel from a centre given in the platform's bottom-left based coordinates.
vips::VImage distanceFrom(const vips::VImage& like, const std::vector<double>& centre) {
    const vips::VImage xy = px::coordinates(like.width(), like.height());
    const double cx = centre.size() > 0 ? centre[0] : 0, cy = centre.size() > 1 ? centre[1] : 0;
    const vips::VImage dx = xy.extract_band(0) - cx;
    const vips::VImage dy = (xy.extract_band(1) * -1.0 + (like.height() - 1 - cy));
    return (dx * dx + dy * dy).pow(0.5);
}

}  // namespace

void addColourEffects(std::vector<FilterKind>& kinds) {
    const Curve same = [](double x) { return x; };
    kinds.push_back(look("CIPhotoEffectChrome", saturationMatrix(1.3),
                         spline({{0, 0}, {0.25, 0.2}, {0.5, 0.5}, {0.75, 0.82}, {1, 1}}),
                         spline({{0, 0}, {0.25, 0.2}, {0.5, 0.5}, {0.75, 0.82}, {1, 1}}),
                         spline({{0, 0}, {0.25, 0.21}, {0.5, 0.5}, {0.75, 0.8}, {1, 1}})));
    kinds.push_back(
        look("CIPhotoEffectFade", saturationMatrix(0.7), spline({{0, 0.1}, {0.5, 0.53}, {1, 0.92}}),
             spline({{0, 0.1}, {0.5, 0.52}, {1, 0.92}}), spline({{0, 0.1}, {0.5, 0.5}, {1, 0.9}})));
    kinds.push_back(
        look("CIPhotoEffectInstant", saturationMatrix(0.85), spline({{0, 0.08}, {0.5, 0.56}, {1, 0.97}}),
             spline({{0, 0.06}, {0.5, 0.53}, {1, 0.95}}), spline({{0, 0.04}, {0.5, 0.45}, {1, 0.85}})));
    kinds.push_back(look("CIPhotoEffectProcess", saturationMatrix(1.1), spline({{0, 0}, {0.5, 0.46}, {1, 1}}),
                         spline({{0, 0.04}, {0.5, 0.52}, {1, 1}}),
                         spline({{0, 0.14}, {0.5, 0.52}, {1, 0.88}})));
    kinds.push_back(look("CIPhotoEffectTransfer", saturationMatrix(1.1),
                         spline({{0, 0.04}, {0.5, 0.57}, {1, 1}}), spline({{0, 0.02}, {0.5, 0.5}, {1, 0.97}}),
                         spline({{0, 0}, {0.5, 0.42}, {1, 0.88}})));
    kinds.push_back(greyLook("CIPhotoEffectMono", spline({{0, 0.07}, {0.5, 0.5}, {1, 0.93}})));
    kinds.push_back(
        greyLook("CIPhotoEffectNoir", spline({{0, 0}, {0.25, 0.12}, {0.5, 0.5}, {0.75, 0.88}, {1, 1}})));
    kinds.push_back(greyLook("CIPhotoEffectTonal", same));

    kinds.push_back(colourBandsFilter(
        "CIColorInvert", {}, [](const vips::VImage& rgb, const FilterInputs&) { return rgb.invert(); }));
    kinds.push_back(colourBandsFilter(
        "CIColorPosterize", {{"inputLevels", 6.0}}, [](const vips::VImage& rgb, const FilterInputs& in) {
            const double levels = std::max(2.0, std::round(in.number("inputLevels", 6)));
            return px::mapped(rgb, px::lookupTable([levels](double x) {
                                  return std::round(x * (levels - 1)) / (levels - 1);
                              }));
        }));
    kinds.push_back(
        colourBandsFilter("CIMinimumComponent", {}, [](const vips::VImage& rgb, const FilterInputs&) {
            const vips::VImage r = rgb.extract_band(0), g = rgb.extract_band(1), b = rgb.extract_band(2);
            const vips::VImage rg = (r < g).ifthenelse(r, g);
            return px::grey3((rg < b).ifthenelse(rg, b));
        }));
    kinds.push_back(colourBandsFilter("CISepiaTone", {{kInputIntensityKey.data(), 1.0}},
                                      [](const vips::VImage& rgb, const FilterInputs& in) {
                                          return sepia(rgb, in.number(kInputIntensityKey, 1));
                                      }));
    kinds.push_back(colourBandsFilter(
        "CIColorMonochrome",
        {{"inputColor", std::vector<double>{0.6, 0.45, 0.3, 1}}, {kInputIntensityKey.data(), 1.0}},
        [](const vips::VImage& rgb, const FilterInputs& in) {
            return monochrome(rgb, colourOf(in, "inputColor", {0.6, 0.45, 0.3}),
                              in.number(kInputIntensityKey, 1));
        }));
    kinds.push_back(colourBandsFilter("CIFalseColor",
                                      {{"inputColor0", std::vector<double>{0.3, 0, 0, 1}},
                                       {"inputColor1", std::vector<double>{1, 0.9, 0.8, 1}}},
                                      [](const vips::VImage& rgb, const FilterInputs& in) {
                                          const vips::VImage y = px::luma(rgb) / 255.0;
                                          const auto c0 = colourOf(in, "inputColor0", {0.3, 0, 0});
                                          const auto c1 = colourOf(in, "inputColor1", {1, 0.9, 0.8});
                                          return px::mix(constant(rgb, c0), constant(rgb, c1), y);
                                      }));
    kinds.push_back(
        colourBandsFilter("CIColorCrossPolynomial",
                          {{"inputRedCoefficients", std::vector<double>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                           {"inputGreenCoefficients", std::vector<double>{0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
                           {"inputBlueCoefficients", std::vector<double>{0, 0, 1, 0, 0, 0, 0, 0, 0, 0}}},
                          polynomial));
    kinds.push_back(colourCube("CIColorCube", {}));
    kinds.push_back(colourCube("CIColorCubeWithColorSpace", {}));

    kinds.push_back(colourBandsFilter(
        "CIVignette", {{kInputIntensityKey.data(), 0.0}, {kInputRadiusKey.data(), 1.0}},
        [](const vips::VImage& rgb, const FilterInputs& in) {
            const double w = rgb.width(), h = rgb.height();
            const double halfDiagonal = std::hypot(w, h) / 2;
            const vips::VImage d = distanceFrom(rgb, {(w - 1) / 2, (h - 1) / 2}) / halfDiagonal;
            const double radius = std::max(1e-3, in.number(kInputRadiusKey, 1));
            const vips::VImage v = px::clamped(d / radius, 0.0, 1.0);
            return rgb * (v * v * -in.number(kInputIntensityKey, 0) + 1.0);
        }));
    kinds.push_back(colourBandsFilter(
        "CIVignetteEffect",
        {{"inputCenter", std::vector<double>{150, 150}},
         {kInputRadiusKey.data(), 150.0},
         {kInputIntensityKey.data(), 1.0},
         {"inputFalloff", 0.5}},
        [](const vips::VImage& rgb, const FilterInputs& in) {
            const double radius = std::max(1.0, in.number(kInputRadiusKey, 150));
            const double falloff = std::clamp(in.number("inputFalloff", 0.5), 0.0, 1.0);
            const vips::VImage d = distanceFrom(rgb, in.vector("inputCenter", {150, 150}));
            const vips::VImage shade = px::smoothstep(radius * (1 - falloff), radius + 1e-3, d);
            return rgb * (shade * -in.number(kInputIntensityKey, 1) + 1.0);
        }));
}

}  // namespace ci::detail
