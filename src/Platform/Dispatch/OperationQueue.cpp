#include "Platform/Dispatch/OperationQueue.h"

#include <algorithm>

#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/Queue.h"

namespace dispatch {

std::shared_ptr<OperationQueue> OperationQueue::make(std::string name, int maxConcurrentOperationCount) {
    return std::shared_ptr<OperationQueue>(new OperationQueue(std::move(name), maxConcurrentOperationCount),
                                           VisibleDelete<OperationQueue>{});
}

// The last reference is often dropped by a worker that finished an operation after the screen that
// owned the queue cancelled it and let go: what the screen did under the lock must be seen as done
// before the queue is freed, also by ThreadSanitizer, which does not always see the reference counts.
OperationQueue::~OperationQueue() {
    afterHandOver(&mutex_);
}

std::shared_ptr<Operation> OperationQueue::addOperation(Work work) {
    auto op = std::make_shared<Operation>();
    {
        const dispatch::VisibleLock lock(mutex_);
        pending_.push_back({op, std::move(work)});
    }
    startMore();
    return op;
}

void OperationQueue::startMore() {
    const dispatch::VisibleLock lock(mutex_);
    while (!pending_.empty() && (maxConcurrent_ <= 0 || static_cast<int>(running_.size()) < maxConcurrent_)) {
        auto next = std::move(pending_.front());
        pending_.pop_front();
        running_.push_back(next.operation);
        std::weak_ptr<OperationQueue> weakSelf = weak_from_this();
        Queue::global().async([weakSelf, next = std::move(next)] {
            if (!next.operation->isCancelled()) next.work(*next.operation);
            if (auto self = weakSelf.lock()) {
                {
                    const dispatch::VisibleLock lock(self->mutex_);
                    std::erase(self->running_, next.operation);
                }
                self->startMore();
            }
        });
    }
}

void OperationQueue::cancelAllOperations() {
    const dispatch::VisibleLock lock(mutex_);
    for (auto& p : pending_) p.operation->cancel();
    pending_.clear();
    for (auto& op : running_) op->cancel();
}

int OperationQueue::operationCount() const {
    const dispatch::VisibleLock lock(mutex_);
    return static_cast<int>(pending_.size() + running_.size());
}

}  // namespace dispatch
