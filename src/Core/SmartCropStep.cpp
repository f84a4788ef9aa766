#include "Core/SmartCropStep.h"

namespace core {

std::optional<image::Image> smartCropImage(const image::Image&, const std::filesystem::path&, cg::Size, bool,
                                           const CropPreview&) {
    return std::nullopt;
}

image::Image applyWatermark(const image::Image& image, const WatermarkOptions&) {
    return image;
}

}  // namespace core
