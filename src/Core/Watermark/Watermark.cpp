#include "Core/Watermark/Watermark.h"

#include <charconv>
#include <ostream>

#include "Core/Watermark/WatermarkPlacement.h"
#include "Platform/Image/Compositing.h"
#include "Platform/Image/ImageGeometry.h"

namespace core {

namespace {

const Font watermarkFont{"Avenir Next Bold", 20};

// A float as the diagnostic line has always shown it: shortest form, with ".0" on whole numbers.
std::string floatText(float value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string text(buffer, end);
    if (text.find_first_of(".ein") == std::string::npos) text += ".0";
    return text;
}

}  // namespace

image::TextStyle watermarkTextAttributes(const Font& font, const cg::Color& color) {
    image::TextStyle style;
    style.fontName = font.name;
    style.pointSize = font.pointSize;
    style.colour = color;
    style.shadow = image::TextShadow{{0, 0}, 5.0, cg::Color{0, 0, 0, 0.333}};
    return style;
}

image::Image textWatermarked(const image::Image& image, const std::string& text, int position, float alpha) {
    const cg::Color white = cg::Color::white(1, watermarkOpacity(alpha));
    const image::TextStyle attributes = watermarkTextAttributes(watermarkFont, white);
    const cg::Size textSize = image::measuredText(text, attributes);
    const cg::Rect box = watermarkRectFromTop(position, textSize, image::pixelSize(image));
    return image::drawnText(image, text, attributes, box);
}

image::Image imageWatermarked(const image::Image& image, const image::Image& mark, int position,
                              float alpha) {
    const cg::Rect box = watermarkRectFromTop(position, image::pixelSize(mark), image::pixelSize(image));
    return image::drawnInRect(image, mark, box, watermarkOpacity(alpha));
}

image::Image watermarkedForOptions(const image::Image& image, const WatermarkOptions& options,
                                   std::ostream& log) {
    const int position = options.positionValue.value_or(-1);
    const float alpha = options.alphaValue.value_or(1.0f);
    const auto announce = [&] {
        log << "Position value : " << position << ", Alpha value : " << floatText(alpha) << std::endl;
    };
    if (options.textWM) {
        if (options.textWM->empty()) return image;
        announce();
        return textWatermarked(image, *options.textWM, position, alpha);
    }
    if (options.imageWM) {
        announce();
        return imageWatermarked(image, *options.imageWM, position, alpha);
    }
    return image;
}

}  // namespace core
