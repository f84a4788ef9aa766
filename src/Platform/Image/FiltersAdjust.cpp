// The photographic adjustments that the automatic enhancement chains: exposure, vibrance, colour
// controls, tone curve, highlights and shadows, and the Gaussian blur.

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <algorithm>
#include <cmath>

namespace ci::detail {

namespace {

double toLinear(double v) {
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}
double toGamma(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
}

std::optional<vips::VImage> onInput(const FilterInputs& in,
                                    const std::function<vips::VImage(const vips::VImage&)>& effect) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    return px::onColour(*image, effect);
}

std::optional<vips::VImage> exposure(const FilterInputs& in) {
    const double gain = std::exp2(in.number(kInputEVKey, 0));
    const vips::VImage table = px::lookupTable([gain](double v) { return toGamma(toLinear(v) * gain); });
    return onInput(in, [&](const vips::VImage& rgb) { return px::mapped(rgb, table); });
}

// Saturation moves towards or away from the pixel's luma.
vips::VImage saturated(const vips::VImage& rgb, const vips::VImage& amount) {
    const vips::VImage y = px::grey3(px::luma(rgb));
    return px::mix(y, rgb.cast(VIPS_FORMAT_FLOAT), amount);
}

// Vibrance strengthens muted colours most and leaves strong ones nearly alone.
std::optional<vips::VImage> vibrance(const FilterInputs& in) {
    const double amount = in.number("inputAmount", 0);
    return onInput(in, [&](const vips::VImage& rgb) {
        if (amount == 0) return rgb;
        const vips::VImage r = rgb.extract_band(0), g = rgb.extract_band(1), b = rgb.extract_band(2);
        const vips::VImage maximum = (r > g).ifthenelse(r, g), minimum = (r < g).ifthenelse(r, g);
        const vips::VImage chroma = ((maximum > b).ifthenelse(maximum, b).cast(VIPS_FORMAT_FLOAT) -
                                     (minimum < b).ifthenelse(minimum, b)) /
                                    255.0;
        return saturated(rgb, (chroma * -1.0 + 1.0) * amount + 1.0);
    });
}

std::optional<vips::VImage> colourControls(const FilterInputs& in) {
    const double saturation = in.number(kInputSaturationKey, 1);
    const double brightness = in.number(kInputBrightnessKey, 0), contrast = in.number(kInputContrastKey, 1);
    const vips::VImage table =
        px::lookupTable([=](double v) { return (v + brightness - 0.5) * contrast + 0.5; });
    return onInput(in, [&](const vips::VImage& rgb) {
        if (saturation == 1) return px::mapped(rgb, table);
        return px::mapped(saturated(rgb, rgb.extract_band(0) * 0.0 + saturation), table);
    });
}

std::optional<vips::VImage> toneCurve(const FilterInputs& in) {
    const double identity[5] = {0, 0.25, 0.5, 0.75, 1};
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 5; ++i) {
        const auto p = in.vector("inputPoint" + std::to_string(i), {identity[i], identity[i]});
        if (p.size() >= 2) points.emplace_back(p[0], p[1]);
    }
    const vips::VImage table = px::lookupTable(px::splineThrough(points));
    return onInput(in, [&](const vips::VImage& rgb) { return px::mapped(rgb, table); });
}

// Shadows lift the dark tones (black itself stays black); a highlight amount below 1 pulls the bright
// tones down. The tones are judged on the luma, blurred by the radius when it is above 0.
std::optional<vips::VImage> highlightShadow(const FilterInputs& in) {
    const double shadows = std::clamp(in.number("inputShadowAmount", 0), -1.0, 1.0);
    const double highlights = std::clamp(in.number("inputHighlightAmount", 1), 0.0, 1.0);
    const double radius = in.number(kInputRadiusKey, 0);
    // The gain each tone gets, as a table over the 8-bit luma.
    std::vector<double> gain(256);
    auto smooth = [](double e0, double e1, double x) {
        const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
        return t * t * (3 - 2 * t);
    };
    for (int i = 0; i < 256; ++i) {
        const double tone = i / 255.0;
        gain[i] = (1 + 1.5 * shadows * (1 - smooth(0, 0.5, tone))) *
                  (1 - 0.5 * (1 - highlights) * smooth(0.5, 1, tone));
    }
    const vips::VImage table = px::floatLookup({gain});
    return onInput(in, [&](const vips::VImage& rgb) {
        if (shadows == 0 && highlights == 1) return rgb;
        vips::VImage tone = px::luma(rgb);
        if (radius > 0.5) tone = tone.gaussblur(radius / 2);
        return rgb * (tone + 0.5).cast(VIPS_FORMAT_UCHAR).maplut(table);
    });
}

std::optional<vips::VImage> gaussianBlur(const FilterInputs& in) {
    const double radius = in.number(kInputRadiusKey, 10);
    return onInput(in, [&](const vips::VImage& rgb) {
        if (radius < 0.3) return rgb;
        return rgb.gaussblur(radius / 2, vips::VImage::option()->set("precision", VIPS_PRECISION_INTEGER));
    });
}

}  // namespace

void addAdjustments(std::vector<FilterKind>& kinds) {
    const auto& image = imageInputOnly();
    kinds.push_back({"CIExposureAdjust", image, {{std::string(kInputEVKey), 0.0}}, exposure});
    kinds.push_back({"CIVibrance", image, {{"inputAmount", 0.0}}, vibrance});
    kinds.push_back({"CIColorControls",
                     image,
                     {{std::string(kInputSaturationKey), 1.0},
                      {std::string(kInputBrightnessKey), 0.0},
                      {std::string(kInputContrastKey), 1.0}},
                     colourControls});
    Parameters curve;
    for (int i = 0; i < 5; ++i)
        curve.emplace("inputPoint" + std::to_string(i), std::vector<double>{i / 4.0, i / 4.0});
    kinds.push_back({"CIToneCurve", image, curve, toneCurve});
    kinds.push_back({"CIHighlightShadowAdjust",
                     image,
                     {{"inputHighlightAmount", 1.0},
                      {"inputShadowAmount", 0.0},
                      {std::string(kInputRadiusKey), 0.0},
                      {std::string(kInputVersionKey), 0}},
                     highlightShadow});
    kinds.push_back({"CIGaussianBlur", image, {{std::string(kInputRadiusKey), 10.0}}, gaussianBlur});
}

}  // namespace ci::detail
