// The colour-lookup table, the RGB tone curve and global histogram equalisation.

#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace ci::detail {

namespace {

// The application's own lookup table: a 64-step colour cube in 8 x 8 tiles of 64 x 64 pixels.
std::optional<image::Image> bundledLookupTable() {
    static const std::optional<image::Image> table = []() -> std::optional<image::Image> {
        const auto path = foundation::Bundle::main().pathForResource("ColorLookup", "png");
        if (!path) return std::nullopt;
        try {
            vips::VImage png = vips::VImage::new_from_file(path->c_str());
            if (png.bands() > 3) png = png.extract_band(0, vips::VImage::option()->set("n", 3));
            return image::fromVips(png.cast(VIPS_FORMAT_UCHAR).copy_memory());
        } catch (const vips::VError&) {
            image::detail::forgetErrors();
            return std::nullopt;
        }
    }();
    return table;
}

std::optional<vips::VImage> colourLookup(const FilterInputs& in) {
    auto image = in.inputImage();
    auto table = in.image("inputColorLookupTable");
    if (!table) {
        const auto bundled = bundledLookupTable();
        if (bundled) table = image::toVips(*bundled);
    }
    if (!image || !table || table->bands() < 3) return std::nullopt;
    const int d = int(std::lround(std::cbrt(double(table->width()) * table->height())));
    if (d < 2 || table->width() % d != 0 || table->height() % d != 0) return std::nullopt;
    const double intensity = std::clamp(in.number(kInputIntensityKey, 1), 0.0, 1.0);
    const vips::VImage colours = table->extract_band(0, vips::VImage::option()->set("n", 3));
    return px::onColour(*image, [&](const vips::VImage& rgb) {
        const vips::VImage looked = px::cubeLookup(rgb, colours, d, table->width() / d);
        return intensity == 1 ? looked : px::mix(rgb.cast(VIPS_FORMAT_FLOAT), looked, intensity);
    });
}

px::Curve curveOf(const std::vector<cg::Point>& points) {
    if (points.empty()) return [](double x) { return x; };
    std::vector<std::pair<double, double>> pairs;
    for (const auto& p : points) pairs.emplace_back(p.x, p.y);
    return px::splineThrough(pairs);
}

std::optional<vips::VImage> rgbToneCurve(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const auto all = curveOf(in.points("inputRGBCompositeControlPoints"));
    auto through = [&](std::string_view key) {
        return [all, own = curveOf(in.points(key))](double x) { return all(own(x)); };
    };
    const vips::VImage table =
        px::lookupTable(through("inputRedControlPoints"), through("inputGreenControlPoints"),
                        through("inputBlueControlPoints"));
    return px::onColour(*image, [&](const vips::VImage& rgb) { return px::mapped(rgb, table); });
}

// The luma histogram is taken from a reduced copy; its cumulative share becomes one table for all
// three bands, so tones spread over the whole range while hues stay.
std::optional<vips::VImage> histogramEqualised(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const auto parts = px::split(*image);
    const vips::VImage sample = px::analysisCopy(parts.rgb, 512);
    const vips::VImage histogram = (px::luma(sample) + 0.5).cast(VIPS_FORMAT_UCHAR).hist_find();
    std::vector<double> counts(256);
    for (int i = 0; i < 256; ++i) counts[i] = histogram.getpoint(i, 0)[0];
    std::vector<double> cumulative(256);
    double sum = 0;
    for (int i = 0; i < 256; ++i) cumulative[i] = sum += counts[i];
    const auto first = std::find_if(counts.begin(), counts.end(), [](double c) { return c > 0; });
    const double below = first == counts.end() ? 0 : cumulative[first - counts.begin()];
    if (sum - below <= 0) return *image;
    const vips::VImage table = px::lookupTable([&](double x) {
        const int i = int(std::lround(x * 255));
        return std::max(0.0, (cumulative[i] - below) / (sum - below));
    });
    return px::finish(px::mapped(parts.rgb, table), parts.alpha);
}

}  // namespace

void addLookupAndCurves(std::vector<FilterKind>& kinds) {
    kinds.push_back(
        {"YUCIColorLookup", imageInputOnly(), {{std::string(kInputIntensityKey), 1.0}}, colourLookup});
    kinds.back().imageKeys.push_back("inputColorLookupTable");
    const std::vector<cg::Point> identity = {{0, 0}, {1, 1}};
    kinds.push_back({"YUCIRGBToneCurve",
                     imageInputOnly(),
                     {{"inputRGBCompositeControlPoints", std::vector<cg::Point>{{0, 0}, {0.5, 0.7}, {1, 1}}},
                      {"inputRedControlPoints", identity},
                      {"inputGreenControlPoints", identity},
                      {"inputBlueControlPoints", identity}},
                     rgbToneCurve});
    kinds.push_back({"YUCIHistogramEqualization", imageInputOnly(), {}, histogramEqualised});
}

}  // namespace ci::detail
