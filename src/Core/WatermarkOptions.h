#pragma once
// WatermarkOptions: the watermark settings of a whole job: a text or an image mark, where it goes and
// how opaque it is. A plain value.

#include <cstdint>
#include <optional>
#include <string>

#include "Platform/Image/Image.h"

namespace core {

struct WatermarkOptions {
    // "textWM": a non-empty text draws a text mark; an empty text suppresses every mark.
    std::optional<std::string> textWM;
    // "imageWM": drawn when there is no "textWM".
    std::optional<image::Image> imageWM;
    // "positionValue": the position code; -1 when absent.
    std::optional<std::int64_t> positionValue;
    // "alphaValue": opacity; 1.0 when absent.
    std::optional<float> alphaValue;
};

}  // namespace core
