#pragma once
// Where a watermark goes and how opaque it is: a 3 × 3 grid over the image chosen by a position code
// (21 top left ... 29 bottom right), a box of at most a third of the image each way centred in its cell,
// and the opacity rule that reads values above 1 as percentages. Pure functions, safe anywhere.

#include "Platform/Graphics/Geometry.h"

namespace core {

// The rectangle the mark is drawn into, in the image's y-up coordinates (origin at the bottom left).
// A code outside 21...29 gives (bw − mw, bh − mh, bw, bh).
cg::Rect watermarkRect(int position, cg::Size markSize, cg::Size imageSize);

// The same rectangle with the origin at the top left, as pixels are addressed.
cg::Rect watermarkRectFromTop(int position, cg::Size markSize, cg::Size imageSize);

// 35 means 0.35; 1.0 and below are used as they are.
double watermarkOpacity(double alpha);

}  // namespace core
