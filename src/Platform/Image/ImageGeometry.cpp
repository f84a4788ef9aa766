#include "Platform/Image/ImageGeometry.h"

namespace image {

cg::Size pixelSize(const Image& image) {
    return image.size();
}

}  // namespace image
