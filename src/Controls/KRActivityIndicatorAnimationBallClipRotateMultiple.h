#pragma once
// The indicator animation every type shows: two concentric rings, the inner one half the size,
// turning once a second in opposite directions while they shrink to 0.6 and grow back, eased in
// and out, forever. Main thread only.

#include <string>

#include "Controls/IndicatorShape.h"
#include "Controls/KRActivityIndicatorAnimationDelegate.h"
#include "Platform/AppKit/KeyPathAnimation.h"

namespace controls {

class KRActivityIndicatorAnimationBallClipRotateMultiple : public KRActivityIndicatorAnimationDelegate {
  public:
    // The pulse and the turn of one ring; they run together on the ring's layer.
    struct RingAnimation {
        appkit::KeyPathAnimation scale;
        appkit::KeyPathAnimation rotation;
    };

    void setUpAnimation(appkit::View& host, double size, const cg::Color& colour) override;

    // Adds a ring of `kind`, `size` points wide, centred on the host's bounds, and animates it under
    // keys that begin with `key`.
    static void addRing(IndicatorShape kind, const appkit::TimingFunction& timing, appkit::View& host,
                        const cg::Color& colour, bool reverse, double duration, double size,
                        const std::string& key);
    static RingAnimation makeAnimation(const appkit::TimingFunction& timing, bool reverse, double duration);
};

}  // namespace controls
