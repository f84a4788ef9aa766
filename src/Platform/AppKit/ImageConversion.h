#pragma once
// Conversions between the image value of the image pipeline and QImage, for painting images in
// views and for images drawn by the interface. Pixels are 8-bit sRGB; alpha is kept. Any thread.

#include <QImage>
#include <optional>

#include "Platform/Image/Image.h"

namespace appkit {

// The image's pixels as an RGB888 or RGBA8888 QImage (computing the pipeline); null on failure.
QImage toQImage(const image::Image& image);
// An sRGB image of the QImage's pixels; absent for a null QImage.
std::optional<image::Image> fromQImage(const QImage& qimage);

}  // namespace appkit
