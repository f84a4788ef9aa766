#pragma once
// Turns a saliency map into salient-object boxes, normalised with a bottom-left origin. Internal to
// Platform/Vision. Pure function of its input.

#include <vector>

#include <opencv2/core.hpp>

#include "Platform/Vision/Observations.h"

namespace vision {

// `map`: one channel, any depth, the size of the analysed image. With `onlyStrongest`, the single box
// of the region holding the map's peak; otherwise up to `maxObjects` boxes, the strongest first.
std::vector<RectangleObservation> salientBoxes(const cv::Mat& map, bool onlyStrongest, int maxObjects);

}  // namespace vision
