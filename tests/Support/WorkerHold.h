#pragma once
// WorkerHold: while it is held, every job's worker stops once it has written a file's temporary and
// before it names it (after the first `letThrough` files), so a test that acts on a running job finds
// it running however fast or busy the machine is. release() (or the hold going out of scope, before
// the shell is torn down) lets them finish. One hold at a time per process: the test thread makes,
// asks and releases it, workers wait in it.

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "Core/Job/OutputPaths.h"

namespace testsupport {

class WorkerHold {
  public:
    explicit WorkerHold(int letThrough = 0) {
        {
            const std::lock_guard lock(state().mutex);
            state().holding = true;
            state().passing = letThrough;
        }
        core::setTemporaryWrittenHook(&WorkerHold::stop);
    }
    ~WorkerHold() {
        release();
        core::setTemporaryWrittenHook(nullptr);
    }
    WorkerHold(const WorkerHold&) = delete;
    WorkerHold& operator=(const WorkerHold&) = delete;

    void release() {
        {
            const std::lock_guard lock(state().mutex);
            state().holding = false;
        }
        state().changed.notify_all();
    }
    // True while a worker waits in the hold (with a finished temporary).
    bool holdsAWorker() const {
        const std::lock_guard lock(state().mutex);
        return state().held > 0;
    }

  private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        // Atomic as well as locked: ThreadSanitizer has reported these locked flags as racing, and the
        // hold must never fail a test on its own flags.
        std::atomic<bool> holding = false;
        std::atomic<int> passing = 0;
        std::atomic<int> held = 0;
    };
    static State& state() {
        static State shared;
        return shared;
    }
    static void stop(const std::filesystem::path&) {
        State& s = state();
        std::unique_lock lock(s.mutex);
        if (!s.holding) return;
        if (s.passing > 0) {
            --s.passing;
            return;
        }
        ++s.held;
        s.changed.wait(lock, [&] { return !s.holding; });
        --s.held;
    }
};

}  // namespace testsupport
