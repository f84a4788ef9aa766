#include "Platform/Dispatch/BackgroundWork.h"

#include <condition_variable>
#include <map>
#include <mutex>

#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/ThreadPoolQueue.h"

namespace dispatch {

namespace {

struct Registry {
    std::mutex mutex;
    std::condition_variable emptied;
    std::map<std::uint64_t, std::function<void()>> jobs;
    std::uint64_t nextId = 0;
    bool stopped = false;
};

// Jobs end while statics are being destroyed only when a program forgot its scope; the registry
// outlives them all the same.
Registry& registry() {
    static auto* const r = new Registry;
    return *r;
}

}  // namespace

RunningJob::RunningJob(std::function<void()> cancel) {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    id_ = r.nextId++;
    r.jobs.emplace(id_, std::move(cancel));
}

RunningJob::~RunningJob() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    r.jobs.erase(id_);
    if (r.jobs.empty()) r.emptied.notify_all();
}

std::size_t runningJobCount() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    return r.jobs.size();
}

void cancelRunningJobs() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    for (auto& [id, cancel] : r.jobs) cancel();
}

bool waitForRunningJobs(std::chrono::milliseconds timeout) {
    auto& r = registry();
    VisibleLock lock(r.mutex);
    return lock.waitFor(r.emptied, timeout, [&] { return r.jobs.empty(); });
}

void stopBackgroundWork() {
    {
        auto& r = registry();
        const VisibleLock lock(r.mutex);
        if (r.stopped) return;
        r.stopped = true;
    }
    cancelRunningJobs();
    // A job's registration lives as long as its block on the global queue: joining the queue waits
    // for every cancelled job to finish the image it is on, and drops the jobs not yet started.
    // The global queue is a thread pool (Queue.cpp).
    static_cast<ThreadPoolQueue&>(Queue::global()).stop();
}

}  // namespace dispatch
