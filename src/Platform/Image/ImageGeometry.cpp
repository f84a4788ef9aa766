#include "Platform/Image/ImageGeometry.h"

#include "Platform/Graphics/WholePixels.h"
#include "Platform/Image/VipsImage.h"

#include <cmath>

namespace image {

namespace {

// Whole pixels of a size computed in floating point: 199.99999999999997 is 200, not 199.
int wholePixels(double value) {
    return int(cg::wholePixels(value));
}

// Exactly width x height with Lanczos-3, averaging colours by their coverage so transparent pixels
// do not bleed dark fringes into the edges.
vips::VImage resample(const vips::VImage& in, int width, int height) {
    if (in.width() == width && in.height() == height) return in;
    const bool alpha = in.has_alpha();
    const vips::VImage source = alpha ? in.premultiply() : in;
    auto out = source.resize(double(width) / in.width(), vips::VImage::option()
                                                             ->set("vscale", double(height) / in.height())
                                                             ->set("kernel", VIPS_KERNEL_LANCZOS3));
    if (alpha) out = out.unpremultiply().rint();
    out = out.cast(in.format());
    // libvips rounds the scaled size; settle any one-pixel difference so callers get what they asked.
    if (out.width() != width || out.height() != height) {
        out = out.gravity(VIPS_COMPASS_DIRECTION_NORTH_WEST, width, height,
                          vips::VImage::option()->set("extend", VIPS_EXTEND_COPY));
    }
    return out;
}

}  // namespace

cg::Size pixelSize(const Image& image) {
    return image.size();
}

std::optional<Image> cropped(const Image& image, const cg::Rect& rect) {
    if (rect.isNull()) return std::nullopt;
    const cg::Rect inside = rect.integral().intersection(cg::Rect(0, 0, image.width(), image.height()));
    if (inside.isNull() || inside.width() < 1 || inside.height() < 1) return std::nullopt;
    return fromVips(toVips(image).extract_area(int(inside.minX()), int(inside.minY()), int(inside.width()),
                                               int(inside.height())));
}

std::optional<Image> resized(const Image& image, cg::Size size) {
    const int width = wholePixels(size.width);
    const int height = wholePixels(size.height);
    if (width < 1 || height < 1) return std::nullopt;
    return fromVips(resample(toVips(image), width, height));
}

std::optional<Image> aspectFillCropped(const Image& image, cg::Size size) {
    const int width = wholePixels(size.width);
    const int height = wholePixels(size.height);
    if (width < 1 || height < 1) return std::nullopt;
    const cg::Size source = pixelSize(image);
    const double scale = std::max(width / source.width, height / source.height);
    // Rounding must never leave the scaled image a pixel short of the target on the side it fits.
    const int scaledWidth = std::max(wholePixels(source.width * scale), width);
    const int scaledHeight = std::max(wholePixels(source.height * scale), height);
    const auto scaled = resample(toVips(image), scaledWidth, scaledHeight);
    // The centre offsets are truncated as measured from the bottom edge (y pointing up), which
    // puts an odd leftover pixel at the top.
    const int x = int(std::trunc((scaledWidth - width) * 0.5));
    const int yFromBottom = int(std::trunc((scaledHeight - height) * 0.5));
    const int y = scaledHeight - height - yFromBottom;
    return fromVips(scaled.extract_area(x, y, width, height));
}

Image drawnScaled(const Image& image, cg::Size size) {
    const auto result = resized(image, size);
    return result ? *result : image;
}

Image redrawn(const Image& image, int width, int height) {
    return drawnScaled(image, cg::Size{double(width), double(height)});
}

Image rotated(const Image& image, double degrees) {
    const vips::VImage& in = toVips(image);
    const double turns = std::fmod(degrees, 360.0) / 90.0;
    if (std::fabs(turns - std::round(turns)) < 1e-9) {
        // Quarter turns move pixels without resampling. Anticlockwise on screen.
        switch ((int(std::round(turns)) % 4 + 4) % 4) {
            case 1:
                return fromVips(in.rot(VIPS_ANGLE_D270));
            case 2:
                return fromVips(in.rot(VIPS_ANGLE_D180));
            case 3:
                return fromVips(in.rot(VIPS_ANGLE_D90));
            default:
                return image;
        }
    }
    const double radians = degrees * M_PI / 180.0;
    const double c = std::fabs(std::cos(radians));
    const double s = std::fabs(std::sin(radians));
    const int boxWidth = int(std::ceil(in.width() * c + in.height() * s - 1e-6));
    const int boxHeight = int(std::ceil(in.width() * s + in.height() * c - 1e-6));
    const vips::VImage withAlpha = in.has_alpha() ? in : in.bandjoin_const({255});
    // libvips turns clockwise for positive angles (its y axis points down).
    const auto turned =
        withAlpha.premultiply()
            .rotate(-degrees, vips::VImage::option()
                                  ->set("interpolate", vips::VInterpolate::new_from_name("bicubic"))
                                  ->set("background", std::vector<double>{0, 0, 0, 0}))
            .unpremultiply()
            .rint()
            .cast(VIPS_FORMAT_UCHAR);
    return fromVips(turned.gravity(VIPS_COMPASS_DIRECTION_CENTRE, boxWidth, boxHeight));
}

}  // namespace image
