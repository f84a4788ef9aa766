#pragma once
// The process's background work and the order in which it ends. A job registers (RunningJob) while
// its worker runs (and until what it hands back is stored), with a way to cancel it; the application asks
// whether a job runs before it quits and stops them all when the user agrees. A collection of files registers
// the same way (RunningCollection); quitting stops it without asking. BackgroundWorkScope, made first thing
// in every main (the application, the command-line tools, the test programs), ends the work as main returns:
// it cancels every registered job and collection, waits for each job to finish the file it is writing, then
// stops the global queue (blocks not started are dropped, running ones waited for, its threads joined), so
// nothing runs on a background thread while statics are destroyed. The application bounds that wait instead
// and, past the bound, ends the process where it stands (exitAbandoningBackgroundWork). Thread-safe.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace dispatch {

// Registers a running job for as long as it lives. `cancel` asks the job to stop soon; it may be
// called on any thread, under the registry's lock, so it only sets a flag. `abandon`, when given,
// undoes what the job leaves half done (its temporary files) should the process end without it.
// `stopped`, when given, tells whether the job has been told to stop (by its user, say) and is only
// finishing the file it is on; it is called on any thread and only reads a flag. A job
// registered once the background work is stopping starts cancelled.
class RunningJob {
  public:
    enum class Kind { Job, Collection };
    explicit RunningJob(std::function<void()> cancel, std::function<void()> abandon = {},
                        Kind kind = Kind::Job, std::function<bool()> stopped = {});
    ~RunningJob();
    RunningJob(const RunningJob&) = delete;
    RunningJob& operator=(const RunningJob&) = delete;

  private:
    std::uint64_t id_;
};

// A collection of files (a folder walked, its files' details read), registered on the thread doing
// it for as long as it lives: quitting sets its flag, which the collection checks as it goes.
class RunningCollection {
  public:
    RunningCollection();
    const std::atomic<bool>* cancelFlag() const { return cancelled_.get(); }
    bool isCancelled() const { return *cancelled_; }

  private:
    std::shared_ptr<std::atomic<bool>> cancelled_;
    RunningJob registration_;
};

// The jobs registered now (collections are not counted).
std::size_t runningJobCount();
// The jobs registered now that have not been told to stop: those a quit must ask about.
std::size_t unstoppedJobCount();
// Asks every registered job and collection to stop; those registered later run as usual.
void cancelRunningJobs();
// Asks every registered job and collection to stop, and every one registered from now on starts
// cancelled: the process is ending.
void cancelBackgroundWork();
// Waits until no job or collection is registered or `timeout` has passed; true when none is.
bool waitForRunningJobs(std::chrono::milliseconds timeout);

// True when no job or collection is registered and no block runs on the global queue.
bool backgroundWorkIsIdle();

// Cancels every job and collection, waits for them, then stops the global queue and joins its
// threads. Work handed to the global queue afterwards is dropped. Called by BackgroundWorkScope;
// later calls do nothing.
void stopBackgroundWork();
// The same within `bound` in all: false when something still runs past it (a worker stuck on a hung
// disk), which only exitAbandoningBackgroundWork can then end.
bool stopBackgroundWork(std::chrono::milliseconds bound);
// Ends the process with `code` at once, background threads and all: each registered job's `abandon`
// runs first (given a few seconds at most, a hung disk may refuse even that), then a line says so and
// the standard streams are flushed. No destructor runs: call it only once the settings are saved.
[[noreturn]] void exitAbandoningBackgroundWork(int code);

class BackgroundWorkScope {
  public:
    BackgroundWorkScope() = default;
    ~BackgroundWorkScope() { stopBackgroundWork(); }
    BackgroundWorkScope(const BackgroundWorkScope&) = delete;
    BackgroundWorkScope& operator=(const BackgroundWorkScope&) = delete;
};

}  // namespace dispatch
