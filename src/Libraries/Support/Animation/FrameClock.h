#pragma once
// Runs frame-counted animations on the main queue, on the interface's animation clock: a frame
// every 1/fps seconds of that clock, so that a clock slowed down or stopped (tests set it to zero,
// when every frame runs at once) slows or stops the animation with the rest of the interface.
// Main thread only.

#include <functional>
#include <memory>

#include "Libraries/Support/InterpolationAnimation.h"

namespace support {

// Calls `frame` once per frame until it returns false.
void runFrames(int framesPerSecond, std::function<bool()> frame);

// Starts `animation` and ticks its frames until it finishes or is cancelled; the queue keeps it
// alive until then.
template <class T>
void run(const std::shared_ptr<InterpolationAnimation<T>>& animation) {
    animation->start();
    runFrames(animation->numberOfFramesPerSecond(), [animation] { return animation->advanceFrame(); });
}

}  // namespace support
