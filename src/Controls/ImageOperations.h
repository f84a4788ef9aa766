#pragma once
// The three picture operations the controls apply to their images: redraw at a size, turn by an
// angle, tint the opaque pixels. Each returns a new image and leaves its argument alone. Any thread.

#include <QImage>

#include "Platform/Graphics/Color.h"

namespace controls::image {

QImage redrawn(const QImage& image, int width, int height);
// Counter-clockwise for positive degrees, as on a y-up screen; the result is as large as the
// bounding box of the turned frame.
QImage rotated(const QImage& image, double degrees);
// Every pixel keeps its coverage and takes the colour.
QImage tinted(const QImage& image, const cg::Color& colour);

}  // namespace controls::image
