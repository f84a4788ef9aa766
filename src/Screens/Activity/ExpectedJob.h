#pragma once
// ExpectedJob: a job that counts as running before its engine has started it (from PROCEED or a
// drop on a preset). It is registered with the process's background work, so that quitting asks
// about it and, when the user agrees or a signal arrives, stops it: a stopped expectation never
// starts, and a job already handed to its engine is stopped with it. Made, read and dropped on the
// main thread; the registration's cancel may come from any.

#include <functional>
#include <memory>

namespace dispatch {
class RunningJob;
}

class ExpectedJob {
  public:
    static std::shared_ptr<ExpectedJob> make();
    ~ExpectedJob();
    ExpectedJob(const ExpectedJob&) = delete;
    ExpectedJob& operator=(const ExpectedJob&) = delete;

    // Quitting stopped it: what was expected must not start.
    bool isCancelled() const;
    // Stopping the expectation also runs `cancel` (on any thread, so it only sets a flag): for the
    // job handed to the engine, until the engine has registered it. Runs at once when already stopped.
    void stopAlso(std::function<void()> cancel);

  private:
    struct Stop;
    ExpectedJob();
    std::shared_ptr<Stop> stop_;
    std::unique_ptr<dispatch::RunningJob> registration_;
};
