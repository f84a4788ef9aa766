// The generators (a starfield, soft colour blobs, a sky), which ignore any photo and fill their
// "inputExtent", and the transitions from "inputImage" to "inputTargetImage" at "inputTime" (0 shows
// the image, 1 the target; without a target the transition goes to black).

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <algorithm>
#include <cmath>

namespace ci::detail {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::pair<int, int> extentSize(const FilterInputs& in) {
    const auto extent = in.vector(kInputExtentKey, {0, 0, 640, 480});
    const double w = extent.size() > 2 ? extent[2] : 0, h = extent.size() > 3 ? extent[3] : 0;
    return {std::clamp(int(std::lround(w)), 0, 65535), std::clamp(int(std::lround(h)), 0, 65535)};
}

std::optional<vips::VImage> starfield(const FilterInputs& in) {
    const auto [w, h] = extentSize(in);
    if (w < 1 || h < 1) return std::nullopt;
    const vips::VImage noise = vips::VImage::gaussnoise(
        w, h, vips::VImage::option()->set("sigma", 1.0)->set("mean", 0.0)->set("seed", 1977));
    // Stars drift to the left as time passes.
    const int shift = int(std::lround(in.number("inputTime", 0) * 40)) % w;
    const vips::VImage sky = noise.wrap(vips::VImage::option()->set("x", -shift)->set("y", 0));
    const vips::VImage stars = px::clamped((sky - 3.1) * 400.0, 0.0, 255.0).gaussblur(0.6);
    return px::finish(vips::VImage::bandjoin({stars, stars, stars * 0.9 + 20.0}), std::nullopt);
}

// Smooth generators are drawn at an eighth of the size and enlarged, which nobody can tell apart.
vips::VImage enlargedTo(const vips::VImage& small, int w, int h) {
    const vips::VImage up = small.resize(
        double(w) / small.width(),
        vips::VImage::option()->set("vscale", double(h) / small.height())->set("kernel", VIPS_KERNEL_LINEAR));
    return up.embed(0, 0, w, h, vips::VImage::option()->set("extend", VIPS_EXTEND_COPY));
}

std::optional<vips::VImage> blobs(const FilterInputs& in) {
    const auto [fullW, fullH] = extentSize(in);
    if (fullW < 1 || fullH < 1) return std::nullopt;
    const int w = std::max(1, fullW / 8), h = std::max(1, fullH / 8);
    const double time = in.number("inputTime", 0), size = std::min(w, h) / 4.0;
    const vips::VImage xy = px::coordinates(w, h);
    const std::vector<std::vector<double>> colours = {
        {255, 80, 120}, {80, 200, 255}, {255, 210, 60}, {120, 255, 140}, {180, 110, 255}};
    vips::VImage sum = xy.extract_band(0) * 0.0;
    sum = vips::VImage::bandjoin({sum, sum, sum});
    for (size_t i = 0; i < colours.size(); ++i) {
        const double phase = time * 0.3 + i * 1.7;
        const double cx = w * (0.5 + 0.35 * std::sin(phase * 1.3)), cy = h * (0.5 + 0.35 * std::cos(phase));
        const vips::VImage dx = xy.extract_band(0) - cx, dy = xy.extract_band(1) - cy;
        const vips::VImage falloff = ((dx * dx + dy * dy) / (-2 * size * size)).exp();
        sum = sum + px::grey3(falloff) * colours[i];
    }
    return px::finish(enlargedTo(px::clamped(sum, 0, 255), fullW, fullH), std::nullopt);
}

std::optional<vips::VImage> sky(const FilterInputs& in) {
    const auto [fullW, fullH] = extentSize(in);
    if (fullW < 1 || fullH < 1) return std::nullopt;
    const int w = std::max(1, fullW / 8), h = std::max(1, fullH / 8);
    const vips::VImage xy = px::coordinates(w, h);
    const vips::VImage height = px::grey3(xy.extract_band(1) / std::max(1.0, h - 1.0));
    const vips::VImage zenith = height.new_from_image({40, 90, 190}),
                       horizon = height.new_from_image({200, 220, 240});
    const vips::VImage gradient = px::mix(zenith, horizon, height.pow(0.8));
    const vips::VImage dx = xy.extract_band(0) - w * 0.7, dy = xy.extract_band(1) - h * 0.3;
    const double glow = std::min(w, h) * 0.15;
    const vips::VImage sun = px::grey3(((dx * dx + dy * dy) / (-2 * glow * glow)).exp());
    const vips::VImage lit = px::mix(gradient, gradient.new_from_image({255, 245, 220}), sun);
    return px::finish(enlargedTo(px::clamped(lit, 0, 255), fullW, fullH), std::nullopt);
}

struct Frames {
    vips::VImage from, to;
    double time;
};

std::optional<Frames> framesOf(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const vips::VImage from = px::split(*image).rgb.cast(VIPS_FORMAT_FLOAT);
    vips::VImage to = from.new_from_image({0.0, 0.0, 0.0});
    if (auto target = in.image(kInputTargetImageKey)) {
        to = px::split(*target).rgb.cast(VIPS_FORMAT_FLOAT);
        if (to.width() != from.width() || to.height() != from.height())
            to = to.resize(double(from.width()) / to.width(),
                           vips::VImage::option()->set("vscale", double(from.height()) / to.height()));
    }
    return Frames{from, to, std::clamp(in.number("inputTime", 0), 0.0, 1.0)};
}

// The frame scaled up about its centre by `zoom` and cut back to its own size.
vips::VImage zoomed(const vips::VImage& frame, double zoom) {
    if (zoom <= 1.0001) return frame;
    const vips::VImage big = frame.resize(zoom);
    return big.extract_area((big.width() - frame.width()) / 2, (big.height() - frame.height()) / 2,
                            frame.width(), frame.height());
}

std::optional<vips::VImage> crossZoom(const FilterInputs& in) {
    const auto frames = framesOf(in);
    if (!frames) return std::nullopt;
    const double t = frames->time, strength = in.number("inputStrength", 0.4);
    if (t <= 0) return frames->from;
    if (t >= 1) return frames->to;
    const double swell = std::sin(kPi * t);
    vips::VImage out = px::mix(zoomed(frames->from, 1 + strength * t),
                               zoomed(frames->to, 1 + strength * (1 - t)), t * t * (3 - 2 * t));
    if (swell * strength * 10 > 0.3) out = out.gaussblur(swell * strength * 10);
    return out;
}

std::optional<vips::VImage> filmBurn(const FilterInputs& in) {
    const auto frames = framesOf(in);
    if (!frames) return std::nullopt;
    const double t = frames->time, burn = std::sin(kPi * t);
    const vips::VImage blend = px::mix(frames->from, frames->to, t);
    if (burn <= 0) return blend;
    const vips::VImage xy = px::coordinates(blend.width(), blend.height());
    const vips::VImage sweep =
        px::smoothstep(-0.2, 1.2, xy.extract_band(0) / double(blend.width()) + (t - 0.5));
    const vips::VImage glow = px::grey3(sweep * burn) * std::vector<double>{255, 140, 50};
    return px::clamped(blend + glow, 0, 255);
}

std::optional<vips::VImage> flash(const FilterInputs& in) {
    const auto frames = framesOf(in);
    if (!frames) return std::nullopt;
    const double t = frames->time, flare = std::pow(std::sin(kPi * t), 2);
    const vips::VImage blend = px::mix(frames->from, frames->to, t);
    return px::mix(blend, blend.new_from_image({255.0, 255.0, 255.0}), flare);
}

}  // namespace

void addGeneratorsAndTransitions(std::vector<FilterKind>& kinds) {
    const Value extent = std::vector<double>{0, 0, 640, 480};
    kinds.push_back({"YUCIStarfieldGenerator",
                     {},
                     {{std::string(kInputExtentKey), extent}, {"inputTime", 0.0}},
                     starfield});
    kinds.push_back(
        {"YUCIBlobsGenerator", {}, {{std::string(kInputExtentKey), extent}, {"inputTime", 0.0}}, blobs});
    kinds.push_back({"YUCISkyGenerator", {}, {{std::string(kInputExtentKey), extent}}, sky});
    const std::vector<std::string> two = {std::string(kInputImageKey), std::string(kInputTargetImageKey)};
    auto transition = [&](std::string name, Parameters extra, FilterKind::Render render) {
        extra.emplace("inputTime", 0.0);
        kinds.push_back({std::move(name), two, std::move(extra), [render](const FilterInputs& in) {
                             auto out = render(in);
                             if (!out) return out;
                             return std::optional(px::finish(*out, px::split(*in.inputImage()).alpha));
                         }});
    };
    transition("YUCICrossZoomTransition", {{"inputStrength", 0.4}}, crossZoom);
    transition("YUCIFilmBurnTransition", {}, filmBurn);
    transition("YUCIFlashTransition", {}, flash);
}

}  // namespace ci::detail
