#pragma once
// OperationQueue: named work on the global queue that can be cancelled as a whole ("PreviewQueue"
// for thumbnails). An operation that has not started when cancelled never runs; a running one sees
// its cancelled flag and should stop early. Thread-safe.

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace dispatch {

class Operation {
  public:
    bool isCancelled() const { return cancelled_.load(); }
    void cancel() { cancelled_.store(true); }

  private:
    std::atomic<bool> cancelled_{false};
};

class OperationQueue : public std::enable_shared_from_this<OperationQueue> {
  public:
    using Work = std::function<void(const Operation&)>;

    static std::shared_ptr<OperationQueue> make(std::string name, int maxConcurrentOperationCount = 0);
    ~OperationQueue();

    const std::string& name() const { return name_; }
    std::shared_ptr<Operation> addOperation(Work work);
    void cancelAllOperations();
    int operationCount() const;

  private:
    OperationQueue(std::string name, int maxConcurrent)
        : name_(std::move(name)), maxConcurrent_(maxConcurrent) {}
    void startMore();

    struct Pending {
        std::shared_ptr<Operation> operation;
        Work work;
    };

    std::string name_;
    int maxConcurrent_;
    mutable std::mutex mutex_;
    std::deque<Pending> pending_;
    std::vector<std::shared_ptr<Operation>> running_;
};

}  // namespace dispatch
