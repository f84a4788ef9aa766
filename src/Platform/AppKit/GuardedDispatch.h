#pragma once
// Posting work for a view or controller to the main queue. The work is dropped when its owner has
// been destroyed by the time it would run, so nothing ever runs on a freed object. Main thread only
// for the owner; the blocks run on the main queue.

#include <QObject>
#include <functional>

namespace appkit {

// Runs `block` on the main queue, later, unless `owner` is gone by then.
void postToMain(const QObject* owner, std::function<void()> block);
// Runs `block` on the main queue after `seconds`, unless `owner` is gone by then.
void postToMainAfter(const QObject* owner, double seconds, std::function<void()> block);
// Runs `attempt` on the main queue until it returns true, retrying every `interval` seconds (at
// least one frame, 1/60 s) and giving up after `giveUpAfter` seconds or when `owner` is gone.
// `attempt` first runs later, never inside this call.
void retryOnMain(const QObject* owner, std::function<bool()> attempt, double interval = 1.0 / 60,
                 double giveUpAfter = 5.0);

}  // namespace appkit
