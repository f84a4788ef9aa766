#pragma once
// What the detectors report, in the convention of the Vision framework: every bounding box is normalised
// to the image (0...1 on both axes) with its origin at the bottom-left corner, y growing upwards.
// Plain values, safe anywhere.

#include <vector>

#include "Platform/Graphics/Geometry.h"

namespace vision {

struct RectangleObservation {
    cg::Rect boundingBox;  // normalised, bottom-left origin
    float confidence = 1.0f;
};

// A saliency analysis: the salient objects found in the image, the most prominent first.
struct SaliencyImageObservation {
    std::vector<RectangleObservation> salientObjects;
};

struct FaceObservation {
    cg::Rect boundingBox;  // normalised, bottom-left origin
    bool hasLandmarks = false;
};

}  // namespace vision
