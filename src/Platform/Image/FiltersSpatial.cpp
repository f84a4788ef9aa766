// The effects that look at neighbouring pixels: mosaics, blurs, sharpening, noise reduction, edge
// smoothing, spot colours and the pencil-line overlay. Positions given to
// them (a mosaic's centre) are in the platform's coordinates, counted from the bottom-left corner.

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <algorithm>
#include <cmath>

namespace ci::detail {

namespace {

// The mosaic origin in top-left pixel coordinates, from a centre counted from the bottom left.
std::pair<double, double> anchorOf(const vips::VImage& image, const FilterInputs& in) {
    const auto centre = in.vector("inputCenter", {150, 150});
    const double cx = centre.size() > 0 ? centre[0] : 0, cy = centre.size() > 1 ? centre[1] : 0;
    return {cx, image.height() - cy};
}

// Squares of `scale` pixels, lined up on the centre, each the colour at its middle. The column
// sampled depends on x alone and the row on y alone, so each is worked out once and repeated.
vips::VImage pixellated(const vips::VImage& rgb, const FilterInputs& in) {
    const double s = std::max(1.0, in.number("inputScale", 8));
    const auto [ax, ay] = anchorOf(rgb, in);
    auto middles = [s](double anchor, int count) {
        std::vector<float> at(count);
        for (int i = 0; i < count; ++i)
            at[i] = float(std::floor((i + 0.5 - anchor) / s) * s + anchor + s / 2 - 0.5);
        return at;
    };
    const auto columns = middles(ax, rgb.width()), rows = middles(ay, rgb.height());
    const vips::VImage x =
        px::copyOf(columns.data(), columns.size() * 4, rgb.width(), 1, 1, VIPS_FORMAT_FLOAT);
    const vips::VImage y = px::copyOf(rows.data(), rows.size() * 4, 1, rgb.height(), 1, VIPS_FORMAT_FLOAT);
    return px::sampled(rgb, x.replicate(1, rgb.height()).bandjoin(y.replicate(rgb.width(), 1)));
}

// Flat-topped hexagons `scale` pixels across their flats, each the colour at its centre: every pixel
// takes the nearer centre of two offset rectangular lattices.
vips::VImage hexagonal(const vips::VImage& rgb, const FilterInputs& in) {
    const double s = std::max(1.0, in.number("inputScale", 8));
    const double r = s / std::sqrt(3.0), w = 3 * r, h = s;
    const auto [ax, ay] = anchorOf(rgb, in);
    const vips::VImage xy = px::coordinates(rgb.width(), rgb.height()) + 0.5;
    const vips::VImage x = xy.extract_band(0) - ax, y = xy.extract_band(1) - ay;
    const vips::VImage axc = (x / w + 0.5).floor() * w, ayc = (y / h + 0.5).floor() * h;
    const vips::VImage bxc = (x / w).floor() * w + w / 2, byc = (y / h).floor() * h + h / 2;
    const vips::VImage da = (x - axc) * (x - axc) + (y - ayc) * (y - ayc);
    const vips::VImage db = (x - bxc) * (x - bxc) + (y - byc) * (y - byc);
    const vips::VImage nearerA = da <= db;
    const vips::VImage cx = nearerA.ifthenelse(axc, bxc) + (ax - 0.5);
    const vips::VImage cy = nearerA.ifthenelse(ayc, byc) + (ay - 0.5);
    return px::sampled(rgb, cx.bandjoin(cy));
}

// Squares cut along their falling diagonal; each triangle takes the colour at its centroid.
vips::VImage triangular(const vips::VImage& rgb, const FilterInputs& in) {
    const double s = std::max(2.0, in.number("inputScale", 20));
    const auto centre = in.vector("inputCenter", {0, 0});
    const double ax = centre.empty() ? 0 : centre[0];
    const double ay = rgb.height() - (centre.size() > 1 ? centre[1] : 0);
    const vips::VImage xy = px::coordinates(rgb.width(), rgb.height()) + 0.5;
    const vips::VImage x = xy.extract_band(0) - ax, y = xy.extract_band(1) - ay;
    const vips::VImage x0 = (x / s).floor() * s, y0 = (y / s).floor() * s;
    const vips::VImage upper = (x - x0) > (y - y0);
    const vips::VImage cx = x0 + upper.ifthenelse(2 * s / 3, s / 3) + (ax - 0.5);
    const vips::VImage cy = y0 + upper.ifthenelse(s / 3, 2 * s / 3) + (ay - 0.5);
    return px::sampled(rgb, cx.bandjoin(cy));
}

// The mean over a square of 2 radius + 1 pixels; edges extend outwards.
vips::VImage boxMean(const vips::VImage& in, int radius, VipsPrecision precision) {
    const int size = 2 * radius + 1;
    std::vector<double> ones(size, 1.0);
    vips::VImage mask = vips::VImage::new_matrix(size, 1, ones.data(), size);
    mask.set("scale", double(size));
    return in.convsep(mask, vips::VImage::option()->set("precision", precision));
}

vips::VImage boxBlurred(const vips::VImage& rgb, const FilterInputs& in) {
    const int radius = int(std::round(std::clamp(in.number(kInputRadiusKey, 10), 0.0, 200.0)));
    if (radius < 1) return rgb;
    return boxMean(rgb, radius, VIPS_PRECISION_INTEGER);
}

// Adds the luma's fine detail back to every colour band, so colours do not fringe.
vips::VImage lumaSharpened(const vips::VImage& rgb, double amount, double sigma) {
    const vips::VImage y = (px::luma(rgb) + 0.5).cast(VIPS_FORMAT_UCHAR);
    const vips::VImage blurred =
        y.gaussblur(sigma, vips::VImage::option()->set("precision", VIPS_PRECISION_INTEGER));
    const vips::VImage detail = (y.cast(VIPS_FORMAT_SHORT) - blurred) * amount;
    return rgb + detail;
}

vips::VImage sharpened(const vips::VImage& rgb, const FilterInputs& in) {
    const double radius = std::max(0.5, in.number(kInputRadiusKey, 1.69));
    return lumaSharpened(rgb, 2 * in.number("inputSharpness", 0.4), radius * 0.6);
}

// Pixels close to their smoothed neighbourhood are replaced by it (edges differ too much and stay),
// then the result is sharpened a little.
vips::VImage noiseReduced(const vips::VImage& rgb, const FilterInputs& in) {
    const double level = std::max(0.0, in.number("inputNoiseLevel", 0.02)) * 255 * 2.5;
    const vips::VImage smooth =
        rgb.gaussblur(1.2, vips::VImage::option()->set("precision", VIPS_PRECISION_INTEGER));
    const vips::VImage difference = (rgb.cast(VIPS_FORMAT_SHORT) - smooth).abs();
    const vips::VImage cleaned = (difference < level).ifthenelse(smooth, rgb);
    return lumaSharpened(cleaned, in.number("inputSharpness", 0.4), 1.0);
}

// Blends pixels on strong luma edges with a light blur; flat areas stay exactly as they were.
vips::VImage antialiased(const vips::VImage& rgb, const FilterInputs&) {
    const vips::VImage edges =
        (px::luma(rgb) + 0.5).cast(VIPS_FORMAT_UCHAR).sobel().cast(VIPS_FORMAT_FLOAT) / 255.0;
    const vips::VImage weight = px::smoothstep(0.08, 0.4, edges) * 0.75;
    return px::mix(rgb.cast(VIPS_FORMAT_FLOAT), rgb.gaussblur(0.8), px::grey3(weight));
}

constexpr int kDistanceSteps = 65536;

// Each replacement is blended in over the previous result by its weight; written out, the result is
// the colour times the share no replacement took, plus each replacement times its own share.
vips::VImage spotColoured(const vips::VImage& rgb, const FilterInputs& in) {
    std::vector<vips::VImage> shares;
    std::vector<double> replacements(9);
    vips::VImage kept;
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        auto centre = in.vector("inputCenterColor" + n);
        auto replacement = in.vector("inputReplacementColor" + n);
        centre.resize(3, 0);
        replacement.resize(3, 0);
        const double closeness = std::max(1e-3, in.number("inputCloseness" + n));
        const double contrast = std::clamp(in.number("inputContrast" + n), 0.0, 0.999);
        // The squared distance from the centre colour, band by band through tables.
        std::vector<std::vector<double>> squares(3, std::vector<double>(256));
        for (int k = 0; k < 3; ++k) {
            replacements[k * 3 + i] = replacement[k] * 255;
            for (int v = 0; v < 256; ++v) squares[k][v] = std::pow(v / 255.0 - centre[k], 2);
        }
        const vips::VImage distance = rgb.maplut(px::floatLookup(squares)).bandmean();
        // The weight of a (squared, averaged) distance, through a table over its 16-bit steps.
        std::vector<float> weights(kDistanceSteps), rest(kDistanceSteps);
        const double outer = closeness * closeness / 3, inner = outer * contrast;
        for (int step = 0; step < kDistanceSteps; ++step) {
            const double t =
                std::clamp((double(step) / (kDistanceSteps - 1) - inner) / (outer - inner), 0.0, 1.0);
            weights[step] = float(1 - t * t * (3 - 2 * t));
            rest[step] = 1 - weights[step];
        }
        const vips::VImage steps = (distance * double(kDistanceSteps - 1) + 0.5).cast(VIPS_FORMAT_USHORT);
        const vips::VImage weight = steps.maplut(
            px::copyOf(weights.data(), weights.size() * 4, kDistanceSteps, 1, 1, VIPS_FORMAT_FLOAT));
        const vips::VImage remaining =
            steps.maplut(px::copyOf(rest.data(), rest.size() * 4, kDistanceSteps, 1, 1, VIPS_FORMAT_FLOAT));
        for (auto& share : shares) share = share * remaining;
        kept = i == 0 ? remaining : kept * remaining;
        shares.push_back(weight);
    }
    const vips::VImage replaced =
        vips::VImage::bandjoin(shares).recomb(vips::VImage::new_matrix(3, 3, replacements.data(), 9));
    return rgb * kept + replaced;
}

// Black lines where the (denoised) luma has edges, transparent elsewhere.
std::optional<vips::VImage> lineOverlay(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const double noise = std::max(0.0, in.number("inputNRNoiseLevel", 0.07));
    const double edgeIntensity = in.number("inputEdgeIntensity", 1.0);
    const double threshold = in.number("inputThreshold", 0.1), contrast = in.number("inputContrast", 50);
    const auto parts = px::split(*image);
    vips::VImage y = px::luma(parts.rgb);
    if (noise > 0) y = y.gaussblur(0.5 + 10 * noise);
    const vips::VImage edges = (y + 0.5).cast(VIPS_FORMAT_UCHAR).sobel().cast(VIPS_FORMAT_FLOAT) / 255.0;
    vips::VImage alpha = px::clamped((edges * edgeIntensity - threshold) * contrast, 0.0, 1.0) * 255.0;
    if (parts.alpha) alpha = alpha * (*parts.alpha / 255.0);
    const vips::VImage black = parts.rgb.new_from_image({0.0, 0.0, 0.0});
    return px::finish(black, alpha);
}

}  // namespace

void addSpatialEffects(std::vector<FilterKind>& kinds) {
    const Value centre = std::vector<double>{150, 150};
    kinds.push_back(
        colourBandsFilter("CIPixellate", {{"inputCenter", centre}, {"inputScale", 8.0}}, pixellated));
    kinds.push_back(
        colourBandsFilter("CIHexagonalPixellate", {{"inputCenter", centre}, {"inputScale", 8.0}}, hexagonal));
    kinds.push_back(colourBandsFilter("YUCITriangularPixellate",
                                      {{"inputCenter", std::vector<double>{0, 0}}, {"inputScale", 20.0}},
                                      triangular));
    kinds.push_back(colourBandsFilter("CIBoxBlur", {{std::string(kInputRadiusKey), 10.0}}, boxBlurred));
    kinds.push_back(colourBandsFilter(
        "CISharpenLuminance", {{"inputSharpness", 0.4}, {std::string(kInputRadiusKey), 1.69}}, sharpened));
    kinds.push_back(colourBandsFilter("CINoiseReduction",
                                      {{"inputNoiseLevel", 0.02}, {"inputSharpness", 0.4}}, noiseReduced));
    kinds.push_back(colourBandsFilter("YUCIFXAA", {}, antialiased));
    Parameters spot;
    const std::vector<std::vector<double>> colours = {{0.0784, 0.0627, 0.0706}, {0.4392, 0.1922, 0.1961},
                                                      {0.5255, 0.3059, 0.3451}, {0.9137, 0.5608, 0.5059},
                                                      {0.9216, 0.4549, 0.3333}, {0.9098, 0.7529, 0.6078}};
    const double closeness[3] = {0.22, 0.15, 0.5}, contrast[3] = {0.98, 0.98, 0.99};
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        spot.emplace("inputCenterColor" + n, colours[2 * i]);
        spot.emplace("inputReplacementColor" + n, colours[2 * i + 1]);
        spot.emplace("inputCloseness" + n, closeness[i]);
        spot.emplace("inputContrast" + n, contrast[i]);
    }
    kinds.push_back(colourBandsFilter("CISpotColor", spot, spotColoured));
    kinds.push_back({"CILineOverlay",
                     imageInputOnly(),
                     {{"inputNRNoiseLevel", 0.07},
                      {"inputNRSharpness", 0.71},
                      {"inputEdgeIntensity", 1.0},
                      {"inputThreshold", 0.1},
                      {"inputContrast", 50.0}},
                     lineOverlay});
}

}  // namespace ci::detail
