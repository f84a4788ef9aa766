#pragma once
// Work handed between threads through Qt (its event loop, its thread pool) is synchronised by Qt's
// own locks, which ThreadSanitizer cannot see: Qt is not built with it. Code that hands work over
// through Qt marks the hand-over so the sanitizer sees it too: the sending thread calls
// `beforeHandOver(token)` just before it hands over, the receiving thread `afterHandOver(token)`
// before it reads anything handed over. `token` is any address both sides agree on (a constant of
// the file that does it). The dispatch queues mark their own hand-overs the same way: in the
// interface programs the sanitizer loses sight of a mutex handed over across a condition
// variable's wake-up. Without ThreadSanitizer both are empty. Thread-safe.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace dispatch {

inline void beforeHandOver([[maybe_unused]] const void* token) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(token));
#endif
}

inline void afterHandOver([[maybe_unused]] const void* token) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(token));
#endif
}

// A scoped lock on `mutex` whose hand-over ThreadSanitizer sees in every process: what one holder
// did is seen as done before what the next holder does, also across a wait on a condition variable
// (the wait lets go of the mutex and takes it back, a hand-over both ways).
template <class Mutex>
class VisibleLock {
  public:
    explicit VisibleLock(Mutex& mutex) : lock_(mutex) { afterHandOver(&mutex); }
    ~VisibleLock() { beforeHandOver(lock_.mutex()); }

    // Waits on `condition` until it is notified or `deadline` passes.
    template <class Clock, class Duration>
    std::cv_status waitUntil(std::condition_variable& condition,
                             const std::chrono::time_point<Clock, Duration>& deadline) {
        beforeHandOver(lock_.mutex());
        const auto status = condition.wait_until(lock_, deadline);
        afterHandOver(lock_.mutex());
        return status;
    }

    // Waits on `condition` until `done()` holds, or at most `timeout`; returns `done()`.
    template <class Rep, class Period, class Done>
    bool waitFor(std::condition_variable& condition, std::chrono::duration<Rep, Period> timeout, Done done) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done())
            if (waitUntil(condition, deadline) == std::cv_status::timeout) return done();
        return true;
    }
    VisibleLock(const VisibleLock&) = delete;
    VisibleLock& operator=(const VisibleLock&) = delete;

  private:
    std::unique_lock<Mutex> lock_;
};

// Frees what a shared pointer owns and marks the hand-over of its control block: the thread that
// drops the last strong reference and the one that drops the last weak reference (often a worker
// ending a block that held a weak pointer) both reach the block, and in the interface programs the
// sanitizer does not see the reference counts order them.
template <class T>
struct VisibleDelete {
    VisibleDelete() = default;
    VisibleDelete(const VisibleDelete&) = default;
    VisibleDelete& operator=(const VisibleDelete&) = default;
    ~VisibleDelete() { afterHandOver(this); }
    void operator()(T* object) const {
        afterHandOver(object);
        delete object;
        beforeHandOver(this);
    }
};

// `std::make_shared` for objects that threads share through weak pointers. A holder that is done
// with the object but may not drop the last reference calls `beforeHandOver(object)` first.
template <class T, class... Args>
std::shared_ptr<T> makeVisiblyShared(Args&&... args) {
    return std::shared_ptr<T>(new T(std::forward<Args>(args)...), VisibleDelete<T>{});
}

}  // namespace dispatch
