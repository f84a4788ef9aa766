#include "Screens/Activity/ExpectedJob.h"

#include <atomic>
#include <mutex>

#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/Queue.h"

struct ExpectedJob::Stop {
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::function<void()> also;

    void cancel() {
        cancelled.store(true);
        const dispatch::VisibleLock lock(mutex);
        if (also) also();
    }
};

ExpectedJob::ExpectedJob() : stop_(dispatch::makeVisiblyShared<Stop>()) {}

ExpectedJob::~ExpectedJob() = default;

bool ExpectedJob::isCancelled() const {
    return stop_->cancelled.load();
}

void ExpectedJob::stopAlso(std::function<void()> cancel) {
    const dispatch::VisibleLock lock(stop_->mutex);
    stop_->also = std::move(cancel);
    if (stop_->cancelled.load() && stop_->also) stop_->also();
}

std::shared_ptr<ExpectedJob> ExpectedJob::make() {
    std::shared_ptr<ExpectedJob> job(new ExpectedJob());
    // The cancel runs under the registry's lock, maybe on another thread: it only sets flags and
    // leaves the registration to the main queue, so that a quit waiting for the jobs sees this one go.
    // A job expected once the process is ending starts cancelled.
    job->registration_ = std::make_unique<dispatch::RunningJob>(
        [stop = job->stop_, weak = std::weak_ptr<ExpectedJob>(job)] {
            stop->cancel();
            dispatch::Queue::main().async([weak] {
                if (auto expected = weak.lock()) expected->registration_.reset();
            });
        },
        std::function<void()>{}, dispatch::RunningJob::Kind::Job,
        [stop = job->stop_] { return stop->cancelled.load(); });
    return job;
}
