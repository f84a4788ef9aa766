#include "Platform/Image/FilterPixels.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace ci::px {

Split split(const vips::VImage& in) {
    if (in.bands() == 4 || in.bands() == 2) {
        const int colour = in.bands() - 1;
        return {in.extract_band(0, vips::VImage::option()->set("n", colour)), in.extract_band(colour)};
    }
    return {in, std::nullopt};
}

vips::VImage finish(const vips::VImage& rgb, const std::optional<vips::VImage>& alpha) {
    vips::VImage out = rgb;
    if (out.format() != VIPS_FORMAT_UCHAR) out = (out + 0.5).cast(VIPS_FORMAT_UCHAR);
    if (out.bands() == 1) out = grey3(out);
    if (alpha) out = out.bandjoin(alpha->cast(VIPS_FORMAT_UCHAR));
    return out.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

vips::VImage onColour(const vips::VImage& in,
                      const std::function<vips::VImage(const vips::VImage&)>& effect) {
    const auto parts = split(in);
    return finish(effect(parts.rgb), parts.alpha);
}

namespace {

std::vector<double> tableOf(const Curve& curve) {
    std::vector<double> values(256);
    for (int i = 0; i < 256; ++i) {
        const double v = curve(i / 255.0);
        values[i] = std::clamp(std::round(v * 255.0), 0.0, 255.0);
    }
    return values;
}

vips::VImage tableImage(const std::vector<double>& values, int bands) {
    std::vector<unsigned char> bytes(values.size());
    std::transform(values.begin(), values.end(), bytes.begin(), [](double v) { return (unsigned char)v; });
    const int width = int(values.size()) / bands;
    return copyOf(bytes.data(), bytes.size(), width, 1, bands, VIPS_FORMAT_UCHAR);
}

}  // namespace

vips::VImage lookupTable(const Curve& curve) {
    return tableImage(tableOf(curve), 1);
}

vips::VImage lookupTable(const Curve& red, const Curve& green, const Curve& blue) {
    const auto r = tableOf(red), g = tableOf(green), b = tableOf(blue);
    std::vector<double> interleaved;
    interleaved.reserve(768);
    for (int i = 0; i < 256; ++i) interleaved.insert(interleaved.end(), {r[i], g[i], b[i]});
    return tableImage(interleaved, 3);
}

vips::VImage floatLookup(const std::vector<std::vector<double>>& bands) {
    const size_t n = bands.size();
    std::vector<float> values(256 * n);
    for (size_t band = 0; band < n; ++band)
        for (int i = 0; i < 256; ++i) values[i * n + band] = float(bands[band][i]);
    return copyOf(values.data(), values.size() * sizeof(float), 256, 1, int(n), VIPS_FORMAT_FLOAT);
}

vips::VImage analysisCopy(const vips::VImage& image, int longSide) {
    const int step = std::max(1, (std::max(image.width(), image.height()) + longSide - 1) / longSide);
    return step > 1 ? image.subsample(step, step) : image;
}

vips::VImage mapped(const vips::VImage& uchar, const vips::VImage& table) {
    vips::VImage in = uchar.format() == VIPS_FORMAT_UCHAR ? uchar : (uchar + 0.5).cast(VIPS_FORMAT_UCHAR);
    return in.maplut(table);
}

vips::VImage copyOf(const void* data, size_t size, int width, int height, int bands, VipsBandFormat format) {
    VipsImage* image = vips_image_new_from_memory_copy(data, size, width, height, bands, format);
    if (!image) throw vips::VError();
    return vips::VImage(image);
}

vips::VImage luma(const vips::VImage& rgb) {
    return rgb.recomb(vips::VImage::new_matrixv(3, 1, 0.2126, 0.7152, 0.0722));
}

vips::VImage grey3(const vips::VImage& band) {
    return vips::VImage::bandjoin({band, band, band});
}

vips::VImage mix(const vips::VImage& a, const vips::VImage& b, double t) {
    return a + (b - a) * t;
}

vips::VImage mix(const vips::VImage& a, const vips::VImage& b, const vips::VImage& t) {
    return a + (b - a) * t;
}

vips::VImage matrix(const vips::VImage& rgb, const std::vector<double>& m) {
    std::vector<double> values = m;
    return rgb.recomb(vips::VImage::new_matrix(3, 3, values.data(), 9));
}

vips::VImage clamped(const vips::VImage& x, double lo, double hi) {
    return (x < lo).ifthenelse(lo, (x > hi).ifthenelse(hi, x));
}

vips::VImage smoothstep(double e0, double e1, const vips::VImage& x) {
    const vips::VImage t = clamped((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

vips::VImage coordinates(int width, int height) {
    return vips::VImage::xyz(width, height).cast(VIPS_FORMAT_FLOAT);
}

vips::VImage sampled(const vips::VImage& in, const vips::VImage& index) {
    const double maxX = in.width() - 1, maxY = in.height() - 1;
    vips::VImage x = index.extract_band(0), y = index.extract_band(1);
    x = clamped(x, 0.0, maxX);
    y = clamped(y, 0.0, maxY);
    // Whole coordinates: nearest sampling picks exactly the pixel named.
    const vips::VImage at = (x + 0.5).floor().bandjoin((y + 0.5).floor());
    return in.mapim(at,
                    vips::VImage::option()->set("interpolate", vips::VInterpolate::new_from_name("nearest")));
}

Curve splineThrough(std::vector<std::pair<double, double>> p) {
    std::sort(p.begin(), p.end());
    const size_t n = p.size();
    if (n == 0) return [](double x) { return x; };
    if (n == 1) return [y = p[0].second](double) { return y; };
    std::vector<double> slope(n - 1), tangent(n);
    for (size_t i = 0; i + 1 < n; ++i) {
        const double dx = p[i + 1].first - p[i].first;
        slope[i] = dx > 0 ? (p[i + 1].second - p[i].second) / dx : 0.0;
    }
    tangent[0] = slope[0];
    tangent[n - 1] = slope[n - 2];
    for (size_t i = 1; i + 1 < n; ++i)
        tangent[i] = slope[i - 1] * slope[i] <= 0 ? 0.0 : (slope[i - 1] + slope[i]) / 2;
    for (size_t i = 0; i + 1 < n; ++i) {
        if (slope[i] == 0) {
            tangent[i] = tangent[i + 1] = 0;
            continue;
        }
        const double a = tangent[i] / slope[i], b = tangent[i + 1] / slope[i], h = std::hypot(a, b);
        if (h > 3) {
            tangent[i] = 3 * a / h * slope[i];
            tangent[i + 1] = 3 * b / h * slope[i];
        }
    }
    return [p, tangent](double x) {
        if (x <= p.front().first) return p.front().second;
        if (x >= p.back().first) return p.back().second;
        size_t i = 0;
        while (x > p[i + 1].first) ++i;
        const double h = p[i + 1].first - p[i].first, t = (x - p[i].first) / h;
        const double t2 = t * t, t3 = t2 * t;
        return (2 * t3 - 3 * t2 + 1) * p[i].second + (t3 - 2 * t2 + t) * h * tangent[i] +
               (-2 * t3 + 3 * t2) * p[i + 1].second + (t3 - t2) * h * tangent[i + 1];
    };
}

}  // namespace ci::px

namespace ci::px {

vips::VImage cubeLookup(const vips::VImage& rgb, const vips::VImage& table, int d, int tilesPerRow) {
    // The cube is first expanded to one tile for each of the 256 blue levels (16 x 16 tiles), the
    // blue steps in between blended here once; a single bilinear read per pixel then does the rest.
    size_t length = 0;
    std::unique_ptr<float, decltype(&g_free)> cube(
        static_cast<float*>(table.cast(VIPS_FORMAT_FLOAT).write_to_memory(&length)), &g_free);
    const int tableWidth = table.width();
    auto at = [&](int slice, int x, int y) {
        const int tx = (slice % tilesPerRow) * d + x, ty = (slice / tilesPerRow) * d + y;
        return cube.get() + (size_t(ty) * tableWidth + tx) * 3;
    };
    const int side = 16 * d;
    std::vector<unsigned char> expanded(size_t(side) * side * 3);
    std::vector<double> inTile(256), column(256), row(256);
    for (int level = 0; level < 256; ++level) {
        const double position = level * (d - 1) / 255.0;
        const int lower = int(position), upper = std::min(lower + 1, d - 1);
        const double share = position - lower;
        inTile[level] = position;
        column[level] = (level % 16) * d;
        row[level] = (level / 16) * d;
        for (int y = 0; y < d; ++y)
            for (int x = 0; x < d; ++x) {
                const float *low = at(lower, x, y), *high = at(upper, x, y);
                unsigned char* out =
                    &expanded[((size_t(row[level]) + y) * side + size_t(column[level]) + x) * 3];
                for (int c = 0; c < 3; ++c)
                    out[c] =
                        (unsigned char)std::clamp(std::lround(low[c] + (high[c] - low[c]) * share), 0L, 255L);
            }
    }
    const vips::VImage tiles = copyOf(expanded.data(), expanded.size(), side, side, 3, VIPS_FORMAT_UCHAR);
    const vips::VImage bytes = rgb.format() == VIPS_FORMAT_UCHAR ? rgb : (rgb + 0.5).cast(VIPS_FORMAT_UCHAR);
    const vips::VImage index =
        bytes.extract_band(0, vips::VImage::option()->set("n", 2)).maplut(floatLookup({inTile})) +
        bytes.extract_band(2).maplut(floatLookup({column, row}));
    return tiles.mapim(
        index, vips::VImage::option()->set("interpolate", vips::VInterpolate::new_from_name("bilinear")));
}

}  // namespace ci::px
