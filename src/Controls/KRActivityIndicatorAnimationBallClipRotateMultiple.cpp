#include "Controls/KRActivityIndicatorAnimationBallClipRotateMultiple.h"

#include <limits>

namespace controls {

namespace {
// Single-precision pi rounded toward zero, and twice it: the turn's key values.
constexpr float kPi = 3.1415925f;
constexpr float kTwoPi = 6.283185f;
}  // namespace

void KRActivityIndicatorAnimationBallClipRotateMultiple::setUpAnimation(appkit::View& host, double size,
                                                                        const cg::Color& colour) {
    const auto timing = appkit::TimingFunction::easeInEaseOut();
    addRing(IndicatorShape::ringTwoArcsHorizontal, timing, host, colour, false, 1.0, size, "animation.outer");
    addRing(IndicatorShape::ringTwoArcsVertical, timing, host, colour, true, 1.0, size * 0.5,
            "animation.inner");
}

void KRActivityIndicatorAnimationBallClipRotateMultiple::addRing(IndicatorShape kind,
                                                                 const appkit::TimingFunction& timing,
                                                                 appkit::View& host, const cg::Color& colour,
                                                                 bool reverse, double duration, double size,
                                                                 const std::string& key) {
    auto ring = indicatorshape::makeLayer(colour, kind, size, size);
    const cg::Rect bounds = host.bounds();
    ring->frame = cg::Rect((bounds.size.width - size) * 0.5, (bounds.size.height - size) * 0.5, size, size);
    host.layer()->addSublayer(ring);
    const RingAnimation animation = makeAnimation(timing, reverse, duration);
    host.addAnimation(animation.scale, key + ".scale", ring);
    host.addAnimation(animation.rotation, key + ".rotation", ring);
}

KRActivityIndicatorAnimationBallClipRotateMultiple::RingAnimation
KRActivityIndicatorAnimationBallClipRotateMultiple::makeAnimation(const appkit::TimingFunction& timing,
                                                                  bool reverse, double duration) {
    const double forever = std::numeric_limits<float>::max();
    RingAnimation ring;
    ring.scale.keyPath = appkit::KeyPath::scale;
    ring.scale.keyTimes = {0, 0.5, 1};
    ring.scale.values = {1, 0.6, 1};
    ring.scale.duration = duration;
    ring.scale.timingFunction = timing;
    ring.scale.repeatCount = forever;
    ring.scale.removedOnCompletion = false;
    const double sign = reverse ? -1 : 1;
    ring.rotation.keyPath = appkit::KeyPath::rotation;
    ring.rotation.keyTimes = ring.scale.keyTimes;
    ring.rotation.values = {0, sign * double(kPi), sign * double(kTwoPi)};
    ring.rotation.duration = duration;
    ring.rotation.timingFunction = timing;
    ring.rotation.repeatCount = forever;
    ring.rotation.removedOnCompletion = false;
    return ring;
}

}  // namespace controls
