#pragma once
// Where the face crop puts its window: the size the image is scaled to so that it covers the target, the
// face rectangles in the working image, and the placement rules for one, two and more faces that keep
// the faces in frame with headroom above them. Pure arithmetic on values, safe anywhere.

#include <optional>
#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace core {

// Everything the placement needs besides the faces. All sizes in pixels.
struct FaceCropGeometry {
    double W = 0, H = 0;    // the working image
    double tw = 0, th = 0;  // the target
    double fw = 0, fh = 0;  // the fill size
    bool fill = false;      // crop-to-fill: the image is used at its own size
};

// The smallest size of the image's proportions that covers the target; the target itself when filling.
cg::Size faceCropFillSize(cg::Size image, cg::Size target, bool fill);

// A face box of the detector (normalised, origin at the bottom left) in the working image's pixels, with a
// top-left origin. Its y is the distance from the top edge of the image to the lower edge of the face.
cg::Rect faceRectangle(const cg::Rect& normalisedBox, double W, double H);

// The same face box as the face itself in the W × H image's pixels, top-left origin.
cg::Rect faceBox(const cg::Rect& normalisedBox, double W, double H);

// The crop window by the placement rules, before it is kept inside the image; none without faces. Of
// faces level with each other the first is the top face, as in windowHoldingFaces.
std::optional<cg::Rect> faceCropWindow(const std::vector<cg::Rect>& faces, const FaceCropGeometry& geometry);

// A face box (top-left origin) with the room a crop leaves around it: the rules' headroom above, the chin
// below and a little on either side.
cg::Rect faceWithHeadroom(const cg::Rect& faceBox);

// The window of the placement rules, moved (not resized) inside the W × H working image so that it cuts
// no face it can hold: it holds the union of the face boxes when that fits in it; else the largest face
// whole with its headroom and chin (of faces as large as it, the top face), and a smaller face only where
// it fits beside that: the top face first, then the others from the largest. Where the largest face with
// its headroom is larger than the window (a close portrait), the face box comes first: the window is
// centred on it across, and down holds it with the room left given below it (the chin) before above it; a
// face larger than the window is cut, the window centred on it; then the union of the faces is held on each
// axis along which it fits. Last, inside the image, the window moves down to show the chin (a quarter of
// the box's height below it) of every face it holds, as far as it can without losing the top of one: room
// above the heads goes first. Boxes are the faces themselves (top-left origin, in working pixels), in the
// order the detector gave them: of faces level with each other (lower edges less than half a pixel apart)
// the first is the top face. None when the window is larger than the image.
std::optional<cg::Rect> windowHoldingFaces(const cg::Rect& window, const std::vector<cg::Rect>& faceBoxes,
                                           double W, double H);

// The window moved (not resized) so that it lies wholly inside a W × H image, with whole-pixel origin and
// size (the size rounded down); none when it is larger than the image or smaller than a pixel.
std::optional<cg::Rect> windowInsideImage(const cg::Rect& window, double W, double H);

}  // namespace core
