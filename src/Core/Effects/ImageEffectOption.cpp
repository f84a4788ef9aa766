#include "Core/Effects/ImageEffectOption.h"

#include "Core/Effects/AutoAdjust.h"
#include "Platform/Image/ImageColour.h"

namespace core {

std::optional<image::Image> applyImageEffectOption(const image::Image& image, int option) {
    switch (option) {
        case 2:
            return noirFiltered(image);
        case 3:
            return image::sepiaToned(image, 1);
        case 4:
            return highContrastMono(image).value_or(image);
        case 5:
            return autoAdjusted(image);
        default:
            return image;
    }
}

}  // namespace core
