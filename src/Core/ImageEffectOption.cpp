#include "Core/ImageEffectOption.h"

#include "Core/AutoAdjust.h"
#include "Platform/Image/Filter.h"

namespace core {

namespace {

image::Image sepiaToned(const image::Image& image, int intensity) {
    auto sepia = ci::Filter::named("CISepiaTone", {{std::string(ci::kInputImageKey), image},
                                                   {std::string(ci::kInputIntensityKey), intensity}});
    auto output = sepia ? sepia->outputImage() : std::nullopt;
    return output ? *output : image;
}

}  // namespace

std::optional<image::Image> applyImageEffectOption(const image::Image& image, int option) {
    switch (option) {
        case 2: return noirFiltered(image);
        case 3: return sepiaToned(image, 1);
        case 4: return highContrastMono(image).value_or(image);
        case 5: return autoAdjusted(image);
        default: return image;
    }
}

}  // namespace core
