#pragma once
// Running work later or on a given queue: the delayed-block call every delayed step of the screens
// and the engine goes through, and tests of which queue the caller runs on. Thread-safe.

#include "Platform/Dispatch/Queue.h"

// The deadline `seconds` after `now`, with the delay truncated to whole nanoseconds. A delay that
// is not finite or does not fit 64-bit nanoseconds is clamped (NaN counts as 0).
dispatch::Time deadlineAfter(dispatch::Time now, double seconds);

// Runs `block` once on `queue` after `seconds`; always later, never inside this call, even for 0.
void asyncAfter(dispatch::Queue& queue, double seconds, dispatch::Block block);
void mainAfter(double seconds, dispatch::Block block);
// As asyncAfter, with the delay taken exactly as passed, no truncation.
void asyncAfterDelay(dispatch::Queue& queue, double seconds, dispatch::Block block);

// True when the caller runs on the main queue.
bool isMainQueue();
// True when the caller runs on `queue`.
bool isCurrent(const dispatch::Queue& queue);
