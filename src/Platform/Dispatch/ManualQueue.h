#pragma once
// ManualQueue: a queue that runs its blocks only when told to, on a virtual clock. Tests install it
// as the main queue to run delayed steps without sleeping. Blocks may be added from any thread;
// they run on the thread that calls runUntilIdle, advance or runUntil, which is its owner thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <utility>

#include "Platform/Dispatch/Queue.h"

namespace dispatch {

class ManualQueue : public Queue {
  public:
    explicit ManualQueue(std::string label = "main");

    void async(Block block) override;
    void asyncAt(Time deadline, Block block) override;
    Time now() const override;
    bool isCurrent() const override;

    // Runs every block whose deadline has come, including blocks they add, until none is due.
    // Returns how many ran.
    int runUntilIdle();
    // Moves the virtual clock forward by `seconds`, running each block at its own deadline in
    // deadline order (then in the order they were added).
    int advance(double seconds);
    // Runs due blocks as they arrive from other threads until `done` holds or `timeout` of real
    // time passes; virtual time jumps to the next deadline whenever nothing else is due, so
    // delayed steps of worker-driven flows run too. `done` is asked before each block, so it sees
    // every state in between and nothing runs once it holds. Returns whether `done` held. The
    // timeout only ends a wait that would never end: a busy machine under a sanitizer takes many
    // times as long as an idle one, so it is generous.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(120));

    std::size_t pendingCount() const;

  private:
    bool runOneDue();

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::multimap<std::pair<std::int64_t, std::uint64_t>, Block> blocks_;
    std::uint64_t sequence_ = 0;
    std::int64_t now_ = 0;
    std::thread::id owner_;
};

}  // namespace dispatch
