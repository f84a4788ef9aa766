#include "Extensions/DelayedDispatch.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kTwoTo63 = 9223372036854775808.0;

std::int64_t clampedNanoseconds(double ns) {
    if (std::isnan(ns)) return 0;
    if (ns >= kTwoTo63) return std::numeric_limits<std::int64_t>::max();
    if (ns <= -kTwoTo63) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(ns);  // truncates toward zero
}

dispatch::Time addSaturating(dispatch::Time now, std::int64_t delta) {
    std::int64_t out;
    if (__builtin_add_overflow(now.ns, delta, &out))
        out = delta > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
    return dispatch::Time{out};
}

}  // namespace

dispatch::Time deadlineAfter(dispatch::Time now, double seconds) {
    return addSaturating(now, clampedNanoseconds(seconds * 1'000'000'000.0));
}

void asyncAfter(dispatch::Queue& queue, double seconds, dispatch::Block block) {
    queue.asyncAt(deadlineAfter(queue.now(), seconds), std::move(block));
}

void mainAfter(double seconds, dispatch::Block block) {
    asyncAfter(dispatch::Queue::main(), seconds, std::move(block));
}

void asyncAfterDelay(dispatch::Queue& queue, double seconds, dispatch::Block block) {
    // Without truncation the delay is rounded to the nearest nanosecond the clock can express.
    const double ns = std::round(seconds * 1'000'000'000.0);
    queue.asyncAt(addSaturating(queue.now(), clampedNanoseconds(ns)), std::move(block));
}

bool isMainQueue() {
    return dispatch::Queue::main().isCurrent();
}

bool isCurrent(const dispatch::Queue& queue) {
    return queue.isCurrent();
}
