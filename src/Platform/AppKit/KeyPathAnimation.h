#pragma once
// An explicit animation of one numeric key path of a layer (opacity, scale, rotation, position,
// stroke end), from one value to another, optionally repeated and reversed. While it runs the layer
// presents the animated value; the model value is left alone. A plain value.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/AppKit/TimingFunction.h"

namespace appkit {

struct KeyPathAnimation {
    std::string keyPath;
    std::optional<double> fromValue;  // absent: the layer's current presented value
    double toValue = 0;
    // A keyframe animation instead: `values` at `keyTimes` (fractions 0...1, evenly spaced when
    // absent or of another length); fromValue and toValue are then ignored.
    std::vector<double> values;
    std::vector<double> keyTimes;
    double duration = 0.25;
    TimingFunction timingFunction = TimingFunction::linear();
    double repeatCount = 1;  // values of 1e30 and above, and infinity, repeat without end
    bool autoreverses = false;
    bool removedOnCompletion = true;  // false: the layer keeps presenting the end value
    // Called once when the animation stops: finished is false when it was removed or replaced.
    std::function<void(bool finished)> didStop;
};

}  // namespace appkit
