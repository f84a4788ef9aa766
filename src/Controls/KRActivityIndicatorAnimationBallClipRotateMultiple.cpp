#include "Controls/KRActivityIndicatorAnimationBallClipRotateMultiple.h"

#include <limits>

namespace controls {

namespace {
// Twice single-precision pi rounded toward zero (3.1415925), the turn's end value.
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
    // 1 -> 0.6 at half time -> 1: half the duration each way, eased on each half.
    ring.scale.keyPath = appkit::KeyPath::scale;
    ring.scale.fromValue = 1;
    ring.scale.toValue = 0.6;
    ring.scale.duration = duration / 2;
    ring.scale.autoreverses = true;
    ring.scale.timingFunction = timing;
    ring.scale.repeatCount = forever;
    ring.scale.removedOnCompletion = false;
    // One whole turn per duration; pi is passed at half time.
    ring.rotation.keyPath = appkit::KeyPath::rotation;
    ring.rotation.fromValue = 0;
    ring.rotation.toValue = reverse ? -double(kTwoPi) : double(kTwoPi);
    ring.rotation.duration = duration;
    ring.rotation.timingFunction = timing;
    ring.rotation.repeatCount = forever;
    ring.rotation.removedOnCompletion = false;
    return ring;
}

}  // namespace controls
