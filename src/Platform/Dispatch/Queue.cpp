#include "Platform/Dispatch/Queue.h"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/ManualQueue.h"
#include "Platform/Dispatch/ThreadPoolQueue.h"

namespace dispatch {

namespace {

std::mutex& backendMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<Queue>& backendSlot() {
    static std::shared_ptr<Queue> backend;
    return backend;
}

// Forwards to whichever backend is installed when a block is handed over.
class MainQueue final : public Queue {
  public:
    MainQueue() : Queue("com.apple.main-thread") {}
    void async(Block block) override { Queue::mainBackend()->async(std::move(block)); }
    void asyncAt(Time deadline, Block block) override {
        Queue::mainBackend()->asyncAt(deadline, std::move(block));
    }
    Time now() const override { return Queue::mainBackend()->now(); }
    bool isCurrent() const override { return Queue::mainBackend()->isCurrent(); }
};

}  // namespace

Time monotonicNow() {
    using namespace std::chrono;
    return Time{duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count()};
}

Queue& Queue::main() {
    static MainQueue queue;
    return queue;
}

Queue& Queue::global() {
    // Workers may sleep for seconds (the preview pacing), so keep a few even on small machines.
    static ThreadPoolQueue queue("com.apple.root.default-qos",
                                 std::max(4u, std::thread::hardware_concurrency()));
    return queue;
}

void Queue::setMainBackend(std::shared_ptr<Queue> backend) {
    std::shared_ptr<Queue> previous;
    {
        const VisibleLock lock(backendMutex());
        previous = std::exchange(backendSlot(), std::move(backend));
    }
    // Freed outside the lock: the blocks it still holds go with it, and what they own may post to
    // the main queue as it goes (a request hold that ends asks for a look).
    previous.reset();
}

std::shared_ptr<Queue> Queue::mainBackend() {
    const VisibleLock lock(backendMutex());
    auto& slot = backendSlot();
    if (!slot) slot = std::make_shared<ManualQueue>("main");
    return slot;
}

}  // namespace dispatch
