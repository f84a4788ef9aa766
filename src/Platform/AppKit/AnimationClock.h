#pragma once
// The one clock every animation of the interface runs on: a scale applied to every duration. Tests
// set it to 0 so that transitions and animator changes land at their end values at once. The scale
// is atomic; animations themselves run on the main thread.

namespace appkit {

class AnimationClock {
  public:
    // The duration an animation group has when nobody sets one.
    static constexpr double defaultDuration = 0.25;
    // How long a view-controller transition slides.
    static constexpr double transitionDuration = 0.3;

    static double durationScale();
    static void setDurationScale(double scale);
    // `seconds` on this clock, never negative; NaN counts as 0.
    static double scaled(double seconds);
    static int scaledMilliseconds(double seconds);
};

}  // namespace appkit
