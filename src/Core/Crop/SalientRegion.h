#pragma once
// The region the saliency crop cuts out before it looks for faces: the union of every salient box,
// grown around its centre to at least the target size so that the later crop never has to enlarge it.
// Pure arithmetic, safe anywhere.

#include <optional>
#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace core {

// The union of the boxes (normalised, bottom-left origin) on a W × H image, as a rectangle in pixels
// with the origin at the top left; none without boxes.
std::optional<cg::Rect> salientUnion(const std::vector<cg::Rect>& normalisedBoxes, double W, double H);

// `region` widened and heightened around its centre to at least `target`, kept inside the W × H image
// (and no larger than it).
cg::Rect grownToTarget(const cg::Rect& region, cg::Size target, double W, double H);

}  // namespace core
