#include "Support/SyntheticPhoto.h"

#include <vector>

namespace testsupport {

namespace {

vips::VImage colour(const vips::VImage& like, std::vector<double> rgb) {
    return like.new_from_image(rgb).cast(VIPS_FORMAT_FLOAT);
}

// 1 inside the ellipse of centre (cx, cy) and radii (rx, ry) (fractions of the size), 0 outside,
// with a soft rim.
vips::VImage ellipse(const vips::VImage& xy, double cx, double cy, double rx, double ry) {
    const vips::VImage dx = (xy.extract_band(0) - cx) / rx, dy = (xy.extract_band(1) - cy) / ry;
    const vips::VImage d = dx * dx + dy * dy;
    return (d < 1.0).ifthenelse(1.0, (d < 1.1).ifthenelse((d * -1.0 + 1.1) * 10.0, 0.0));
}

vips::VImage box(const vips::VImage& xy, double x0, double y0, double x1, double y1) {
    const vips::VImage x = xy.extract_band(0), y = xy.extract_band(1);
    return ((x >= x0) & (x < x1) & (y >= y0) & (y < y1)).ifthenelse(1.0, 0.0);
}

vips::VImage over(const vips::VImage& base, const vips::VImage& paint, const vips::VImage& mask) {
    const vips::VImage m = vips::VImage::bandjoin({mask, mask, mask});
    return base + (paint - base) * m;
}

}  // namespace

vips::VImage syntheticPhoto(int w, int h) {
    // Coordinates in 0...1 of the width and height.
    const vips::VImage xyz = vips::VImage::xyz(w, h).cast(VIPS_FORMAT_FLOAT);
    const vips::VImage xy = (xyz.extract_band(0) / double(w)).bandjoin(xyz.extract_band(1) / double(h));
    const vips::VImage x = xy.extract_band(0), y = xy.extract_band(1);
    const vips::VImage y3 = vips::VImage::bandjoin({y, y, y});

    vips::VImage scene =
        colour(x, {70, 120, 205}) + (colour(x, {215, 228, 245}) - colour(x, {70, 120, 205})) * (y3 * 2.2);
    scene = over(scene, colour(x, {255, 250, 230}), ellipse(xy, 0.78, 0.16, 0.05, 0.075));
    const vips::VImage horizon = (x * 6.0).sin() * 0.03 + 0.45;
    const vips::VImage ground = (y > horizon).ifthenelse(1.0, 0.0);
    vips::VImage grass = colour(x, {60, 120, 40}) + colour(x, {50, 40, 10}) * (y3 - 0.45) * 2.0;
    scene = over(scene, grass, ground);
    scene = over(scene, colour(x, {40, 90, 150}), ellipse(xy, 0.3, 0.75, 0.2, 0.08));
    scene = over(scene, colour(x, {170, 45, 35}), box(xy, 0.55, 0.35, 0.75, 0.6));
    scene = over(scene, colour(x, {240, 235, 225}), box(xy, 0.6, 0.45, 0.65, 0.52));
    scene = over(scene, colour(x, {20, 18, 15}), box(xy, 0.68, 0.48, 0.72, 0.6));
    scene = over(scene, colour(x, {226, 178, 150}), ellipse(xy, 0.15, 0.55, 0.06, 0.08));
    scene = over(scene, colour(x, {25, 50, 20}), ellipse(xy, 0.9, 0.45, 0.06, 0.15));
    scene = over(scene, colour(x, {30, 60, 25}), ellipse(xy, 0.45, 0.42, 0.04, 0.1));
    // Deep shadows under the trees and the house, as a well-exposed photo has somewhere.
    scene = over(scene, colour(x, {6, 7, 5}), ellipse(xy, 0.9, 0.61, 0.08, 0.025));
    scene = over(scene, colour(x, {6, 7, 5}), ellipse(xy, 0.65, 0.61, 0.11, 0.02));
    const vips::VImage noise = vips::VImage::gaussnoise(
        w, h, vips::VImage::option()->set("sigma", 4.0)->set("mean", 0.0)->set("seed", 42));
    scene = scene + vips::VImage::bandjoin({noise, noise, noise});
    scene = (scene < 0.0).ifthenelse(0.0, (scene > 255.0).ifthenelse(255.0, scene));
    return (scene + 0.5)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

vips::VImage darkFlatPhoto(int w, int h) {
    const vips::VImage dark = syntheticPhoto(w, h).cast(VIPS_FORMAT_FLOAT) * 0.25 + 12.0;
    return (dark + 0.5)
        .cast(VIPS_FORMAT_UCHAR)
        .copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
}

}  // namespace testsupport
