// Writes the application's colour-lookup table: a 64-step colour cube in 8 x 8 tiles of 64 x 64
// pixels (red across a tile, green down it, blue from tile to tile), holding a warm film look:
// gentle S-curve, lifted blacks, teal-leaning shadows, warm highlights, slightly muted colour.
// Usage: make_color_lookup <output.png>

#include <vips/vips8>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// A mild S-curve into 0.05...0.97: lifted blacks and softened whites, as on print film.
double curve(double v) {
    const double s = v * v * (3 - 2 * v);
    return 0.05 + 0.92 * (0.35 * s + 0.65 * v);
}

void look(double r, double g, double b, double out[3]) {
    const double luma = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    // Slightly muted colour.
    r = luma + (r - luma) * 0.88;
    g = luma + (g - luma) * 0.88;
    b = luma + (b - luma) * 0.88;
    // Teal in the shadows, warm in the highlights.
    const double shadow = std::pow(1 - luma, 2), highlight = luma * luma;
    r += -0.035 * shadow + 0.05 * highlight;
    g += 0.01 * shadow + 0.015 * highlight;
    b += 0.04 * shadow - 0.05 * highlight;
    out[0] = curve(std::clamp(r, 0.0, 1.0));
    out[1] = curve(std::clamp(g, 0.0, 1.0));
    out[2] = curve(std::clamp(b, 0.0, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    if (VIPS_INIT(argv[0])) return 1;
    std::vector<unsigned char> pixels(512 * 512 * 3);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            const int blue = (y / 64) * 8 + x / 64;
            double out[3];
            look((x % 64) / 63.0, (y % 64) / 63.0, blue / 63.0, out);
            for (int c = 0; c < 3; ++c)
                pixels[(size_t(y) * 512 + x) * 3 + c] = (unsigned char)std::lround(out[c] * 255);
        }
    vips::VImage::new_from_memory(pixels.data(), pixels.size(), 512, 512, 3, VIPS_FORMAT_UCHAR)
        .write_to_file(argv[1]);
    return 0;
}
