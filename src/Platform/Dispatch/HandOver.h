#pragma once
// Work handed between threads through Qt (its event loop, its thread pool) is synchronised by Qt's
// own locks, which ThreadSanitizer cannot see: Qt is not built with it. Code that hands work over
// through Qt marks the hand-over so the sanitizer sees it too: the sending thread calls
// `beforeHandOver(token)` just before it hands over, the receiving thread `afterHandOver(token)`
// before it reads anything handed over. `token` is any address both sides agree on (a constant of
// the file that does it). The dispatch queues mark their own hand-overs the same way: in the
// interface programs the sanitizer loses sight of a mutex handed over across a condition
// variable's wake-up. Without ThreadSanitizer both are empty. Thread-safe.

#include <mutex>

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
// did is seen as done before what the next holder does.
template <class Mutex>
class VisibleLock {
  public:
    explicit VisibleLock(Mutex& mutex) : lock_(mutex) { afterHandOver(&mutex); }
    ~VisibleLock() { beforeHandOver(lock_.mutex()); }
    VisibleLock(const VisibleLock&) = delete;
    VisibleLock& operator=(const VisibleLock&) = delete;

  private:
    std::unique_lock<Mutex> lock_;
};

}  // namespace dispatch
