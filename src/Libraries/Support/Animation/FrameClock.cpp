#include "Libraries/Support/Animation/FrameClock.h"

#include <cmath>
#include <cstdint>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/Dispatch/Queue.h"

namespace support {

namespace {

struct Ticks {
    std::function<bool()> frame;
    dispatch::Time started;
    double interval;  // seconds between frames on the real clock
    std::int64_t count = 0;
};

void scheduleNext(std::shared_ptr<Ticks> ticks) {
    // Each deadline is counted from the start, so that late frames do not push later ones back.
    const auto offset = static_cast<std::int64_t>(
        std::llround(static_cast<double>(ticks->count + 1) * ticks->interval * 1e9));
    dispatch::Queue::main().asyncAt(dispatch::Time{ticks->started.ns + offset}, [ticks] {
        ++ticks->count;
        if (ticks->frame()) scheduleNext(ticks);
    });
}

}  // namespace

void runFrames(int framesPerSecond, std::function<bool()> frame) {
    const double interval = appkit::AnimationClock::scaled(1.0 / std::max(1, framesPerSecond));
    if (interval == 0) {
        // A stopped clock: every frame at once, on the queue's next turn.
        dispatch::Queue::main().async([frame = std::move(frame)] {
            while (frame()) {
            }
        });
        return;
    }
    auto ticks = std::make_shared<Ticks>(Ticks{std::move(frame), dispatch::Queue::main().now(), interval});
    scheduleNext(std::move(ticks));
}

}  // namespace support
