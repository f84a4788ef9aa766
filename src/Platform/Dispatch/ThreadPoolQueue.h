#pragma once
// ThreadPoolQueue: a concurrent queue over a fixed set of worker threads (the global queue), or a
// serial one with a single worker. Blocks run in deadline order as workers free up. Stopping (or
// destroying) the queue drops blocks not yet started, waits for running ones and joins the threads;
// blocks handed over after that are dropped.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "Platform/Dispatch/Queue.h"

namespace dispatch {

class ThreadPoolQueue : public Queue {
  public:
    ThreadPoolQueue(std::string label, unsigned threadCount);
    ~ThreadPoolQueue() override;

    void async(Block block) override;
    void asyncAt(Time deadline, Block block) override;
    bool isCurrent() const override;
    // Call from outside the queue's own threads; later calls do nothing.
    void stop();
    // As stop(), but waits for the running blocks at most `bound`: false when one still runs (stuck
    // on a hung disk, say), whose threads are then left to the end of the process.
    bool stopWithin(std::chrono::milliseconds bound);
    // Whether a block is running now (on any thread).
    bool isRunningABlock();

  private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Block> blocks_;
    std::uint64_t sequence_ = 0;
    bool stopping_ = false;
    unsigned workersLeft_ = 0;    // threads still in work(); guarded by mutex_
    unsigned runningBlocks_ = 0;  // guarded by mutex_
    std::condition_variable workerLeft_;
    std::mutex joinMutex_;
    std::vector<std::thread> threads_;  // guarded by joinMutex_
};

}  // namespace dispatch
