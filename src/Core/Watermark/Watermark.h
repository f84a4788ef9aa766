#pragma once
// The watermark of an output image: a short white text with a soft shadow, or a small mark image, put in
// one cell of a 3 × 3 grid (WatermarkPlacement) at the job's opacity, and the job option rule that picks
// which of the two is drawn. Pure functions of their inputs (images are immutable); safe on any thread.

#include <iosfwd>
#include <optional>
#include <string>

#include "Platform/Graphics/Color.h"
#include "Platform/Image/Image.h"
#include "Platform/Image/TextDrawing.h"

namespace core {

struct Font {
    std::string name;
    double pointSize = 0;
};

// The job's watermark settings ("textWM", "imageWM", "positionValue", "alphaValue"); absent when the job
// did not give them (or gave a value of another type).
struct WatermarkOptions {
    std::optional<std::string> textWM;
    std::optional<image::Image> imageWM;
    std::optional<int> positionValue;
    std::optional<float> alphaValue;
};

// The font, the foreground colour and a black shadow (offset 0, blur radius 5, alpha 0.333).
image::TextStyle watermarkTextAttributes(const Font& font, const cg::Color& color);

// The image with the text drawn white at the opacity in the position's cell, wrapped and clipped to it.
// The font is "Avenir Next Bold" at 20 points, or what fontconfig offers in its place.
image::Image textWatermarked(const image::Image& image, const std::string& text, int position, float alpha);

// The image with the mark squeezed into the position's cell box and drawn over it at the opacity.
image::Image imageWatermarked(const image::Image& image, const image::Image& mark, int position, float alpha);

// What the per-image step draws: a non-empty "textWM" as text; an empty one suppresses every mark;
// without text, "imageWM" as a mark. Position -1 and alpha 1.0 when missing. A line naming both goes to
// `log` before a watermark is drawn.
image::Image watermarkedForOptions(const image::Image& image, const WatermarkOptions& options,
                                   std::ostream& log);

}  // namespace core
