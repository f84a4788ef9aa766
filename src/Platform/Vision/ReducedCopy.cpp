#include "Platform/Vision/ReducedCopy.h"

#include <algorithm>
#include <cmath>

#include "Platform/Image/VipsImage.h"

namespace vision {

std::optional<image::Image> reducedCopy(const image::Image& picture, int longSide) {
    try {
        const vips::VImage& in = image::toVips(picture);
        const double s = std::min(1.0, double(longSide) / std::max(in.width(), in.height()));
        const int width = std::max(1, int(std::lround(in.width() * s)));
        const int height = std::max(1, int(std::lround(in.height() * s)));
        const vips::VImage out = s < 1
                                     ? in.reduce(double(in.width()) / width, double(in.height()) / height,
                                                 vips::VImage::option()->set("kernel", VIPS_KERNEL_LANCZOS3))
                                     : in;
        return image::fromVips(out.copy_memory());
    } catch (const vips::VError&) {
        return std::nullopt;
    }
}

}  // namespace vision
