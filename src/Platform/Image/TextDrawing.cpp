#include "Platform/Image/TextDrawing.h"

#include <algorithm>
#include <cmath>

#include "Platform/Image/CompositingDetail.h"
#include "Platform/Image/VipsImage.h"
#include "Platform/Image/VipsRuntime.h"

namespace image {

namespace {

// libvips reads its text as Pango markup; the user's text must come out as typed.
std::string escapedMarkup(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The coverage mask of the text (one 8-bit band), wrapped at `wrapWidth` when that is positive.
vips::VImage textMask(const std::string& text, const TextStyle& style, int wrapWidth) {
    char size[32];
    std::snprintf(size, sizeof size, " %gpx", style.pointSize);
    vips::VOption* options =
        vips::VImage::option()->set("font", (style.fontName + size).c_str())->set("dpi", 72);
    if (wrapWidth > 0) options->set("width", wrapWidth);
    return vips::VImage::text(escapedMarkup(text).c_str(), options);
}

// A layer of one colour whose alpha is the mask times the colour's alpha.
vips::VImage colourLayer(const vips::VImage& mask, const cg::Color& colour) {
    const vips::VImage rgb =
        mask.new_from_image({colour.red * 255.0, colour.green * 255.0, colour.blue * 255.0});
    return rgb.bandjoin(mask * std::clamp(colour.alpha, 0.0, 1.0)).cast(VIPS_FORMAT_UCHAR);
}

}  // namespace

cg::Size measuredText(const std::string& text, const TextStyle& style) {
    if (text.empty()) return {};
    detail::ensureVipsStarted();
    try {
        const vips::VImage mask = textMask(text, style, 0);
        return {double(mask.width()), double(mask.height())};
    } catch (const vips::VError&) {
        return {};
    }
}

Image drawnText(const Image& image, const std::string& text, const TextStyle& style, const cg::Rect& rect) {
    if (text.empty()) return image;
    detail::ensureVipsStarted();
    const detail::PixelBox box = detail::pixelBox(rect);
    if (box.isEmpty()) return image;
    const int width = box.width, height = box.height;
    try {
        // Set on one line when that fits; only a text wider than the rectangle wraps. (Asking Pango
        // to wrap at the very width the line measured may still break off its last word.)
        vips::VImage mask = textMask(text, style, 0);
        if (mask.width() > width) mask = textMask(text, style, width);
        // The laid-out text on a canvas of exactly the rectangle: what overflows is cut off.
        mask = mask.embed(0, 0, std::max(width, mask.width()), std::max(height, mask.height()))
                   .extract_area(0, 0, width, height);

        vips::VImage result = toVips(image);
        if (style.shadow.colour.alpha > 0) {
            vips::VImage shadow = mask;
            const double sigma = style.shadow.blurRadius / 2;
            if (sigma > 0) shadow = shadow.gaussblur(sigma).cast(VIPS_FORMAT_UCHAR);
            const int dx = int(std::lround(style.shadow.offset.width));
            const int dy = int(std::lround(style.shadow.offset.height));
            // The shadow is as transparent as the text it falls from, and clipped like it.
            shadow = shadow.embed(dx, dy, width, height);
            const cg::Color shade =
                style.shadow.colour.withAlpha(style.shadow.colour.alpha * style.colour.alpha);
            result = detail::blendedOver(result, colourLayer(shadow, shade), box.left, box.top, 1.0);
        }
        result = detail::blendedOver(result, colourLayer(mask, style.colour), box.left, box.top, 1.0);
        return fromVips(result);
    } catch (const vips::VError&) {
        return image;
    }
}

}  // namespace image
