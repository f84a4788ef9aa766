#include "Platform/Dispatch/ManualQueue.h"

#include <cmath>

#include "Platform/Dispatch/HandOver.h"

namespace dispatch {

ManualQueue::ManualQueue(std::string label) : Queue(std::move(label)), owner_(std::this_thread::get_id()) {}

void ManualQueue::async(Block block) {
    const dispatch::VisibleLock lock(mutex_);
    blocks_.emplace(std::make_pair(now_, sequence_++), std::move(block));
    arrived_.notify_all();
}

void ManualQueue::asyncAt(Time deadline, Block block) {
    const dispatch::VisibleLock lock(mutex_);
    blocks_.emplace(std::make_pair(deadline.ns, sequence_++), std::move(block));
    arrived_.notify_all();
}

Time ManualQueue::now() const {
    const dispatch::VisibleLock lock(mutex_);
    return Time{now_};
}

bool ManualQueue::isCurrent() const {
    const dispatch::VisibleLock lock(mutex_);
    return std::this_thread::get_id() == owner_;
}

std::size_t ManualQueue::pendingCount() const {
    const dispatch::VisibleLock lock(mutex_);
    return blocks_.size();
}

bool ManualQueue::runOneDue() {
    Block block;
    {
        const dispatch::VisibleLock lock(mutex_);
        owner_ = std::this_thread::get_id();
        if (blocks_.empty() || blocks_.begin()->first.first > now_) return false;
        block = std::move(blocks_.begin()->second);
        blocks_.erase(blocks_.begin());
    }
    block();
    return true;
}

int ManualQueue::runUntilIdle() {
    int count = 0;
    while (runOneDue()) ++count;
    return count;
}

int ManualQueue::advance(double seconds) {
    const auto step = static_cast<std::int64_t>(std::llround(seconds * 1e9));
    std::int64_t target;
    {
        const dispatch::VisibleLock lock(mutex_);
        target = now_ + step;
    }
    int count = runUntilIdle();
    for (;;) {
        {
            const dispatch::VisibleLock lock(mutex_);
            if (blocks_.empty() || blocks_.begin()->first.first > target) {
                now_ = target;
                break;
            }
            now_ = std::max(now_, blocks_.begin()->first.first);
        }
        count += runUntilIdle();
    }
    return count + runUntilIdle();
}

bool ManualQueue::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto limit = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        // The condition is looked at after every block, so a test sees each state the blocks
        // leave behind, however many of them a busy worker has queued at once.
        if (done()) return true;
        while (runOneDue())
            if (done()) return true;
        VisibleLock lock(mutex_);
        if (!blocks_.empty()) {
            // Nothing due now: jump the virtual clock to the next deadline.
            now_ = std::max(now_, blocks_.begin()->first.first);
            continue;
        }
        if (std::chrono::steady_clock::now() >= limit) return done();
        lock.waitUntil(arrived_,
                       std::min(limit, std::chrono::steady_clock::now() + std::chrono::milliseconds(5)));
    }
}

}  // namespace dispatch
