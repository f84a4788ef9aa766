#include "Platform/AppKit/GuardedDispatch.h"

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <memory>

#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {

constexpr double kMinimumRetryInterval = 1.0 / 60;

dispatch::Time after(double seconds) {
    const double s = std::isfinite(seconds) ? std::clamp(seconds, 0.0, 1e9) : 0.0;
    auto now = dispatch::Queue::main().now();
    return dispatch::Time{now.ns + static_cast<std::int64_t>(s * 1e9)};
}

void scheduleAttempt(QPointer<const QObject> owner, std::shared_ptr<std::function<bool()>> attempt,
                     double interval, dispatch::Time giveUpAt) {
    dispatch::Queue::main().asyncAt(after(interval), [owner, attempt, interval, giveUpAt] {
        if (!owner) return;
        if ((*attempt)()) return;
        if (dispatch::Queue::main().now() >= giveUpAt) return;
        scheduleAttempt(owner, attempt, interval, giveUpAt);
    });
}

}  // namespace

void postToMain(const QObject* owner, std::function<void()> block) {
    QPointer<const QObject> guard(owner);
    dispatch::Queue::main().async([guard, block = std::move(block)] {
        if (guard) block();
    });
}

void postToMainAfter(const QObject* owner, double seconds, std::function<void()> block) {
    QPointer<const QObject> guard(owner);
    dispatch::Queue::main().asyncAt(after(seconds), [guard, block = std::move(block)] {
        if (guard) block();
    });
}

void retryOnMain(const QObject* owner, std::function<bool()> attempt, double interval, double giveUpAfter) {
    const double step =
        std::isfinite(interval) ? std::max(interval, kMinimumRetryInterval) : kMinimumRetryInterval;
    scheduleAttempt(QPointer<const QObject>(owner),
                    std::make_shared<std::function<bool()>>(std::move(attempt)), step, after(giveUpAfter));
}

}  // namespace appkit
