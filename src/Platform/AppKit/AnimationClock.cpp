#include "Platform/AppKit/AnimationClock.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace appkit {

namespace {
std::atomic<double>& scaleSlot() {
    static std::atomic<double> scale{1.0};
    return scale;
}
}  // namespace

double AnimationClock::durationScale() {
    return scaleSlot().load();
}

void AnimationClock::setDurationScale(double scale) {
    scaleSlot().store(std::isfinite(scale) && scale > 0 ? scale : 0.0);
}

double AnimationClock::scaled(double seconds) {
    const double s = seconds * durationScale();
    if (!std::isfinite(s) || s <= 0) return 0;
    // A day is longer than any animation of the interface; beyond it int milliseconds overflow.
    return std::min(s, 86400.0);
}

int AnimationClock::scaledMilliseconds(double seconds) {
    return static_cast<int>(std::lround(scaled(seconds) * 1000));
}

}  // namespace appkit
