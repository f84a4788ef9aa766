#pragma once
// Plain text laid out with Pango (fonts found and substituted through fontconfig) and drawn over an
// image with a soft shadow, as a text watermark is. The text is never read as markup. One point is one
// pixel. Lazy like every image operation. Thread-safe.

#include <string>

#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace image {

struct TextShadow {
    cg::Size offset;        // x to the right, y downwards
    double blurRadius = 0;  // pixels
    cg::Color colour = cg::Color::black();
};

struct TextStyle {
    std::string fontName = "Sans";  // a family with optional style words, e.g. "Avenir Next Bold"
    double pointSize = 12;
    cg::Color colour = cg::Color::black();
    TextShadow shadow;
};

// The size of the text set on one line; zero for empty text.
cg::Size measuredText(const std::string& text, const TextStyle& style);

// The text laid out in `rect` (pixels, origin at the top left): on one line when it fits the
// rectangle's width, else wrapped at words to it; clipped to the rectangle, shadow included. The result has
// the image's size and bands.
Image drawnText(const Image& image, const std::string& text, const TextStyle& style, const cg::Rect& rect);

}  // namespace image
