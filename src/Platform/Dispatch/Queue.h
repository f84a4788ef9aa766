#pragma once
// Dispatch queues: where blocks run. `Queue::main()` is the user-interface queue (the Qt event loop
// in the application, a manual queue in tests); `Queue::global()` is a pool of worker threads for
// long work. Every member is thread-safe; a block handed to a queue runs once, later, never inside
// the call that handed it over.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace dispatch {

using Block = std::function<void()>;

// A point on a monotonic clock, in nanoseconds.
struct Time {
    std::int64_t ns = 0;
    auto operator<=>(const Time&) const = default;
};

// The real monotonic clock.
Time monotonicNow();

class Queue {
  public:
    explicit Queue(std::string label) : label_(std::move(label)) {}
    virtual ~Queue() = default;
    Queue(const Queue&) = delete;
    Queue& operator=(const Queue&) = delete;

    const std::string& label() const { return label_; }

    virtual void async(Block block) = 0;
    // Runs the block once the queue's clock reaches `deadline`.
    virtual void asyncAt(Time deadline, Block block) = 0;
    // The clock deadlines are measured on (virtual for a manual queue).
    virtual Time now() const { return monotonicNow(); }
    // True when the calling code runs on this queue.
    virtual bool isCurrent() const = 0;

    // The main queue forwards to the backend installed with setMainBackend (by default a manual
    // queue owned by the first thread that uses it).
    static Queue& main();
    static Queue& global();
    // Installs the main queue's backend; blocks already queued on the old backend stay there.
    static void setMainBackend(std::shared_ptr<Queue> backend);
    static std::shared_ptr<Queue> mainBackend();

  private:
    std::string label_;
};

}  // namespace dispatch
