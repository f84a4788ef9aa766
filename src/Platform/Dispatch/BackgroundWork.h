#pragma once
// The process's background work and the order in which it ends. A job registers (RunningJob) while
// its worker runs, with a way to cancel it; the application asks whether a job runs before it
// quits and stops them all when the user agrees. BackgroundWorkScope, made first thing in every
// main (the application, the command-line tools, the test programs), ends the work as main
// returns: it cancels every registered job, waits for each to finish the file it is writing, then
// stops the global queue (blocks not started are dropped, running ones waited for, its threads
// joined), so nothing runs on a background thread while statics are destroyed. Thread-safe.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace dispatch {

// Registers a running job for as long as it lives. `cancel` asks the job to stop soon; it may be
// called on any thread, under the registry's lock, so it only sets a flag.
class RunningJob {
  public:
    explicit RunningJob(std::function<void()> cancel);
    ~RunningJob();
    RunningJob(const RunningJob&) = delete;
    RunningJob& operator=(const RunningJob&) = delete;

  private:
    std::uint64_t id_;
};

std::size_t runningJobCount();
// Asks every registered job to stop; jobs registered later run as usual.
void cancelRunningJobs();
// Waits until no job is registered or `timeout` has passed; true when none is.
bool waitForRunningJobs(std::chrono::milliseconds timeout);

// Cancels every job, waits for them, then stops the global queue and joins its threads. Work handed
// to the global queue afterwards is dropped. Called by BackgroundWorkScope; later calls do nothing.
void stopBackgroundWork();

class BackgroundWorkScope {
  public:
    BackgroundWorkScope() = default;
    ~BackgroundWorkScope() { stopBackgroundWork(); }
    BackgroundWorkScope(const BackgroundWorkScope&) = delete;
    BackgroundWorkScope& operator=(const BackgroundWorkScope&) = delete;
};

}  // namespace dispatch
