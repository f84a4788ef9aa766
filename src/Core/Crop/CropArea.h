#pragma once
// Where a smart crop cuts, as an area of the image's own pixels that is then scaled to exactly the
// target: the face crop's window (placed by FacePlacement on the image scaled to cover the target) and
// the saliency crop's window (the face crop inside the salient region). Working in the image's pixels
// lets the caller decode only as much detail as the area needs. Pure arithmetic, safe anywhere.

#include <optional>
#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace core {

// The scale at which an `image`-sized picture just covers `target`, and the picture's size at that scale in
// whole pixels (never a pixel short of the target through rounding).
double coverScale(cg::Size image, cg::Size target);
cg::Size coveringSize(cg::Size image, cg::Size target);

// The area of a `image`-sized picture that the face crop shows at `target`: the placement rules run on
// the picture scaled to cover the target, and the window never cuts a face (windowHoldingFaces). Face
// boxes are in the picture's pixels, top-left origin. None without faces.
std::optional<cg::Rect> faceCropArea(const std::vector<cg::Rect>& faceBoxes, cg::Size image, cg::Size target,
                                     bool fill);

// The area the saliency crop shows: the union of the salient boxes grown to the target (to the scaled
// target's extent with `fill`, so that nothing is enlarged) and to every face it touches with that face's
// headroom, then the face crop inside that region. None when no face lies in the region.
std::optional<cg::Rect> salientCropArea(const cg::Rect& salientUnion, const std::vector<cg::Rect>& faceBoxes,
                                        cg::Size image, cg::Size target, bool fill);

}  // namespace core
