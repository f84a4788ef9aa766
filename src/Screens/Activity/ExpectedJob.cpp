#include "Screens/Activity/ExpectedJob.h"

#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Queue.h"

ExpectedJob::ExpectedJob() : cancelled_(std::make_shared<std::atomic<bool>>(false)) {}

ExpectedJob::~ExpectedJob() = default;

std::shared_ptr<ExpectedJob> ExpectedJob::make() {
    std::shared_ptr<ExpectedJob> job(new ExpectedJob());
    // The cancel runs under the registry's lock, maybe on another thread: it only sets the flag and
    // leaves the registration to the main queue, so that a quit waiting for the jobs sees this one go.
    // A job expected once the process is ending starts cancelled.
    job->registration_ = std::make_unique<dispatch::RunningJob>(
        [cancelled = job->cancelled_, weak = std::weak_ptr<ExpectedJob>(job)] {
            cancelled->store(true);
            dispatch::Queue::main().async([weak] {
                if (auto expected = weak.lock()) expected->registration_.reset();
            });
        });
    return job;
}
