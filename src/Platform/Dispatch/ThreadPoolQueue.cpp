#include "Platform/Dispatch/ThreadPoolQueue.h"

#include <chrono>

#include "Platform/Dispatch/HandOver.h"

namespace dispatch {

namespace {
thread_local const ThreadPoolQueue* tCurrentPool = nullptr;
}

ThreadPoolQueue::ThreadPoolQueue(std::string label, unsigned threadCount) : Queue(std::move(label)) {
    if (threadCount == 0) threadCount = 1;
    threads_.reserve(threadCount);
    workersLeft_ = threadCount;
    for (unsigned i = 0; i < threadCount; ++i) threads_.emplace_back([this] { work(); });
}

ThreadPoolQueue::~ThreadPoolQueue() {
    stop();
}

void ThreadPoolQueue::stop() {
    stopWithin(std::chrono::milliseconds::max());
}

bool ThreadPoolQueue::stopWithin(std::chrono::milliseconds bound) {
    const std::lock_guard joinLock(joinMutex_);
    decltype(blocks_) dropped;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        dropped.swap(blocks_);
        beforeHandOver(this);
    }
    changed_.notify_all();
    // What the dropped blocks hold goes outside the lock: its destructors may hand over work.
    dropped.clear();
    bool allLeft = true;
    if (bound != std::chrono::milliseconds::max()) {
        VisibleLock lock(mutex_);
        allLeft = lock.waitFor(workerLeft_, bound, [this] { return workersLeft_ == 0; });
    }
    for (auto& t : threads_) allLeft ? t.join() : t.detach();
    threads_.clear();
    return allLeft;
}

void ThreadPoolQueue::async(Block block) {
    asyncAt(monotonicNow(), std::move(block));
}

void ThreadPoolQueue::asyncAt(Time deadline, Block block) {
    {
        std::lock_guard lock(mutex_);
        afterHandOver(this);
        if (stopping_) return;
        blocks_.emplace(std::make_pair(deadline.ns, sequence_++), std::move(block));
        beforeHandOver(this);
    }
    changed_.notify_all();
}

bool ThreadPoolQueue::isRunningABlock() {
    const std::lock_guard lock(mutex_);
    afterHandOver(this);
    const bool running = runningBlocks_ > 0;
    beforeHandOver(this);
    return running;
}

bool ThreadPoolQueue::isCurrent() const {
    return tCurrentPool == this;
}

void ThreadPoolQueue::work() {
    tCurrentPool = this;
    std::unique_lock lock(mutex_);
    for (;;) {
        // In the interface programs ThreadSanitizer loses the mutex's hand-over across the
        // condition variable's wake-up (seen once Qt has set up its fonts); say it outright.
        afterHandOver(this);
        if (stopping_) {
            --workersLeft_;
            beforeHandOver(this);
            workerLeft_.notify_all();
            return;
        }
        if (blocks_.empty()) {
            beforeHandOver(this);
            changed_.wait(lock);
            continue;
        }
        const auto due = blocks_.begin()->first.first;
        const auto now = monotonicNow().ns;
        if (due > now) {
            beforeHandOver(this);
            changed_.wait_for(lock, std::chrono::nanoseconds(due - now));
            continue;
        }
        Block block = std::move(blocks_.begin()->second);
        blocks_.erase(blocks_.begin());
        ++runningBlocks_;
        beforeHandOver(this);
        lock.unlock();
        block();
        block = nullptr;
        lock.lock();
        afterHandOver(this);
        --runningBlocks_;
    }
}

}  // namespace dispatch
