#include "Platform/Image/Compositing.h"

#include <algorithm>
#include <cmath>

#include "Platform/Image/CompositingDetail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

namespace image {

namespace detail {

vips::VImage blendedOver(const vips::VImage& base, const vips::VImage& overlay, int left, int top,
                         double fraction) {
    const int x0 = std::max(left, 0), y0 = std::max(top, 0);
    const int x1 = std::min(left + overlay.width(), base.width());
    const int y1 = std::min(top + overlay.height(), base.height());
    if (x1 <= x0 || y1 <= y0 || fraction <= 0) return base;

    const vips::VImage source = overlay.extract_area(x0 - left, y0 - top, x1 - x0, y1 - y0);
    const vips::VImage target = base.extract_area(x0, y0, x1 - x0, y1 - y0);
    const vips::VImage sourceAlpha = source[3].cast(VIPS_FORMAT_FLOAT) * (std::min(fraction, 1.0) / 255.0);
    const vips::VImage sourceColour = source.extract_band(0, vips::VImage::option()->set("n", 3));
    const vips::VImage targetColour = target.extract_band(0, vips::VImage::option()->set("n", 3));

    vips::VImage blended;
    if (base.bands() == 4) {
        const vips::VImage targetAlpha = target[3].cast(VIPS_FORMAT_FLOAT) / 255.0;
        const vips::VImage outAlpha = sourceAlpha + targetAlpha * (1.0 - sourceAlpha);
        const vips::VImage weighted =
            sourceColour * sourceAlpha + targetColour * targetAlpha * (1.0 - sourceAlpha);
        // Where nothing is left visible the colour does not matter; avoid dividing by zero.
        const vips::VImage visible = outAlpha > 0;
        const vips::VImage colour = visible.ifthenelse(weighted / visible.ifthenelse(outAlpha, 1.0), 0.0);
        blended = colour.bandjoin(outAlpha * 255.0);
    } else {
        blended = sourceColour * sourceAlpha + targetColour * (1.0 - sourceAlpha);
    }
    // Rounded, not truncated, back to 8 bits.
    return base.insert((blended + 0.5).cast(VIPS_FORMAT_UCHAR), x0, y0);
}

PixelBox pixelBox(const cg::Rect& rect) {
    const cg::Rect r = rect.standardized();
    const int left = int(std::lround(r.minX())), top = int(std::lround(r.minY()));
    return {left, top, int(std::lround(r.maxX())) - left, int(std::lround(r.maxY())) - top};
}

}  // namespace detail

Image drawnInRect(const Image& image, const Image& mark, const cg::Rect& rect, double fraction) {
    detail::ensureVipsStarted();
    const detail::PixelBox box = detail::pixelBox(rect);
    if (box.isEmpty()) return image;
    try {
        vips::VImage drawn = toVips(mark).thumbnail_image(
            box.width, vips::VImage::option()->set("height", box.height)->set("size", VIPS_SIZE_FORCE));
        if (!drawn.has_alpha()) drawn = drawn.bandjoin_const({255});
        return fromVips(detail::blendedOver(toVips(image), drawn, box.left, box.top, fraction));
    } catch (const vips::VError&) {
        return image;
    }
}

}  // namespace image
