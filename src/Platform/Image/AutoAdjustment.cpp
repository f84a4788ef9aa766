#include "Platform/Image/AutoAdjustment.h"

#include "Platform/Image/FilterPixels.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ci {

namespace {

constexpr int kAnalysisSide = 256;
constexpr double kLowMidtone = 0.38, kHighMidtone = 0.66;

struct Analysis {
    std::array<double, 256> share{};  // of pixels at each luma level
    double chroma = 0;                // mean (max - min) of the colour bands, 0...1
};

Analysis analyse(const vips::VImage& in) {
    const auto parts = px::split(in);
    const vips::VImage small = px::analysisCopy(parts.rgb, kAnalysisSide).copy_memory();
    Analysis result;
    const vips::VImage histogram = (px::luma(small) + 0.5).cast(VIPS_FORMAT_UCHAR).hist_find();
    double total = 0;
    for (int i = 0; i < 256; ++i) total += result.share[i] = histogram.getpoint(i, 0)[0];
    for (auto& s : result.share) s /= std::max(1.0, total);
    if (small.bands() >= 3) {
        const vips::VImage r = small.extract_band(0), g = small.extract_band(1), b = small.extract_band(2);
        const vips::VImage high = (r > g).ifthenelse(r, g), low = (r < g).ifthenelse(r, g);
        result.chroma =
            ((high > b).ifthenelse(high, b).cast(VIPS_FORMAT_FLOAT) - (low < b).ifthenelse(low, b)).avg() /
            255.0;
    }
    return result;
}

double percentile(const Analysis& a, double fraction) {
    double sum = 0;
    for (int i = 0; i < 256; ++i)
        if ((sum += a.share[i]) >= fraction) return i / 255.0;
    return 1.0;
}

// Levels (black and white points) and a midtone power, as a function of 0...1.
struct Tone {
    double black = 0, white = 1, power = 1;
    double operator()(double x) const {
        const double t = std::clamp((x - black) / (white - black), 0.0, 1.0);
        return std::pow(t, power);
    }
    bool isIdentity() const { return black == 0 && white == 1 && std::abs(power - 1) < 0.02; }
};

Tone proposeTone(const Analysis& a) {
    Tone tone;
    const double low = percentile(a, 0.005), high = percentile(a, 0.995);
    // Only a range that leaves a clear gap at an end is stretched; a photo using nearly the whole
    // range keeps its ends.
    if (low > 0.05) tone.black = std::min(low, 0.6) * 0.9;
    if (high < 0.93) tone.white = 1 - (1 - std::max(high, 0.3)) * 0.9;
    if (tone.white - tone.black < 0.2) tone.white = std::min(1.0, tone.black + 0.2);
    // Midtones inside a comfortable band are left alone; outside it they move back towards it, the
    // more the further out they are.
    const double median =
        std::clamp((percentile(a, 0.5) - tone.black) / (tone.white - tone.black), 0.02, 0.98);
    double target = median, weight = 0;
    if (median < kLowMidtone) {
        target = kLowMidtone + 0.1;
        weight = std::clamp((kLowMidtone - median) / 0.1, 0.0, 1.0);
    } else if (median > kHighMidtone) {
        target = kHighMidtone - 0.05;
        weight = std::clamp((median - kHighMidtone) / 0.1, 0.0, 1.0);
    }
    const double wanted = std::clamp(std::log(target) / std::log(median), 0.55, 1.6);
    tone.power = 1 + (wanted - 1) * weight;
    return tone;
}

double shareWhere(const Analysis& a, const Tone& tone, bool (*test)(double)) {
    double share = 0;
    for (int i = 0; i < 256; ++i)
        if (test(tone(i / 255.0))) share += a.share[i];
    return share;
}

}  // namespace

std::vector<Filter> autoAdjustmentFilters(const image::Image& image) {
    Analysis analysis;
    try {
        analysis = analyse(image::toVips(image));
    } catch (const vips::VError&) {
        image::detail::forgetErrors();
        return {};
    }
    std::vector<Filter> proposals;

    const double vibrance = std::clamp((0.22 - analysis.chroma) * 1.5, 0.0, 0.35);
    if (vibrance > 0.01) proposals.push_back(*Filter::named("CIVibrance", {{"inputAmount", vibrance}}));

    const Tone tone = proposeTone(analysis);
    if (!tone.isIdentity()) {
        Parameters points;
        for (int i = 0; i < 5; ++i) {
            const double y = i / 4.0,
                         x = tone.black + (tone.white - tone.black) * std::pow(y, 1 / tone.power);
            points.emplace("inputPoint" + std::to_string(i), std::vector<double>{x, y});
        }
        proposals.push_back(*Filter::named("CIToneCurve", points));
    }

    const double dark = shareWhere(analysis, tone, [](double v) { return v < 0.12; });
    const double bright = shareWhere(analysis, tone, [](double v) { return v > 0.93; });
    const double shadows = std::clamp((dark - 0.18) * 1.2, 0.0, 0.4);
    const double highlights = 1 - std::clamp((bright - 0.15) * 1.2, 0.0, 0.3);
    if (shadows > 0.01 || highlights < 0.99)
        proposals.push_back(*Filter::named("CIHighlightShadowAdjust", {{"inputHighlightAmount", highlights},
                                                                       {"inputShadowAmount", shadows},
                                                                       {std::string(kInputRadiusKey), 0.0}}));
    return proposals;
}

}  // namespace ci
