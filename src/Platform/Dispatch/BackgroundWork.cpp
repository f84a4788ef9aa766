#include "Platform/Dispatch/BackgroundWork.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <iostream>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/ThreadPoolQueue.h"

namespace dispatch {

namespace {

struct Entry {
    std::function<void()> cancel;
    std::function<void()> abandon;
    RunningJob::Kind kind;
    std::function<bool()> stopped;
};

struct Registry {
    std::mutex mutex;
    std::condition_variable emptied;
    std::map<std::uint64_t, Entry> jobs;
    std::uint64_t nextId = 0;
    bool stopped = false;       // later registrations start cancelled
    bool queueStopped = false;  // the global queue is being stopped or has been
};

// Jobs end while statics are being destroyed only when a program forgot its scope; the registry
// outlives them all the same.
Registry& registry() {
    static auto* const r = new Registry;
    return *r;
}

// How long the process's end waits for the jobs' clean-up: removing a few files takes milliseconds,
// except on a disk that no longer answers.
constexpr auto kAbandonBound = std::chrono::seconds(3);

// How long the global queue's idle workers are given to leave, however little time is left.
constexpr std::chrono::milliseconds kIdleWorkersLeave{500};

}  // namespace

RunningJob::RunningJob(std::function<void()> cancel, std::function<void()> abandon, Kind kind,
                       std::function<bool()> stopped) {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    id_ = r.nextId++;
    // Work that starts while the process is ending stops at its first look at its flag.
    if (r.stopped && cancel) cancel();
    r.jobs.emplace(id_, Entry{std::move(cancel), std::move(abandon), kind, std::move(stopped)});
}

RunningCollection::RunningCollection()
    : cancelled_(std::make_shared<std::atomic<bool>>(false)),
      registration_([flag = cancelled_] { *flag = true; }, {}, RunningJob::Kind::Collection) {}

RunningJob::~RunningJob() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    r.jobs.erase(id_);
    if (r.jobs.empty()) r.emptied.notify_all();
}

std::size_t runningJobCount() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    return static_cast<std::size_t>(std::count_if(r.jobs.begin(), r.jobs.end(), [](const auto& entry) {
        return entry.second.kind == RunningJob::Kind::Job;
    }));
}

std::size_t unstoppedJobCount() {
    // Asked outside the lock: a question that ends up holding the last reference to its job would
    // unregister it, which takes the lock.
    std::vector<std::function<bool()>> questions;
    std::size_t unasked = 0;
    {
        auto& r = registry();
        const VisibleLock lock(r.mutex);
        for (const auto& [id, job] : r.jobs) {
            if (job.kind != RunningJob::Kind::Job) continue;
            if (job.stopped)
                questions.push_back(job.stopped);
            else
                ++unasked;
        }
    }
    return unasked + static_cast<std::size_t>(std::count_if(questions.begin(), questions.end(),
                                                            [](const auto& stopped) { return !stopped(); }));
}

namespace {

void cancelEveryEntry(Registry& r) {
    for (auto& [id, entry] : r.jobs)
        if (entry.cancel) entry.cancel();
}

}  // namespace

void cancelRunningJobs() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    cancelEveryEntry(r);
}

bool waitForRunningJobs(std::chrono::milliseconds timeout) {
    auto& r = registry();
    VisibleLock lock(r.mutex);
    return lock.waitFor(r.emptied, timeout, [&] { return r.jobs.empty(); });
}

void cancelBackgroundWork() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    r.stopped = true;
    cancelEveryEntry(r);
}

namespace {

// Claims the stopping of the global queue, once; false when it was claimed before.
bool claimQueueStop() {
    auto& r = registry();
    const VisibleLock lock(r.mutex);
    if (r.queueStopped) return false;
    r.queueStopped = true;
    return true;
}

// The global queue is a thread pool (Queue.cpp).
ThreadPoolQueue& globalPool() {
    return static_cast<ThreadPoolQueue&>(Queue::global());
}

}  // namespace

bool backgroundWorkIsIdle() {
    return waitForRunningJobs(std::chrono::milliseconds(0)) && !globalPool().isRunningABlock();
}

void stopBackgroundWork() {
    if (!claimQueueStop()) return;
    cancelBackgroundWork();
    // A job's worker runs in its block on the global queue: joining the queue waits for every
    // cancelled job to finish the image it is on, and drops the jobs not yet started.
    globalPool().stop();
}

bool stopBackgroundWork(std::chrono::milliseconds bound) {
    if (!claimQueueStop()) return true;
    cancelBackgroundWork();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    const bool jobsEnded = waitForRunningJobs(bound);
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    // Idle workers need a moment to wake and leave even when the time is up; a stuck job's do not.
    const bool queueEnded =
        globalPool().stopWithin(jobsEnded ? std::max(left, kIdleWorkersLeave) : std::chrono::milliseconds(0));
    return jobsEnded && queueEnded;
}

void exitAbandoningBackgroundWork(int code) {
    std::vector<std::function<void()>> cleanUps;
    {
        auto& r = registry();
        const VisibleLock lock(r.mutex);
        for (const auto& [id, entry] : r.jobs)
            if (entry.abandon) cleanUps.push_back(entry.abandon);
    }
    // On a thread of its own: a disk that hangs may hold a removal for ever, and the process must end.
    std::promise<void> cleaned;
    auto done = cleaned.get_future();
    std::thread([cleanUps = std::move(cleanUps), cleaned = std::move(cleaned)]() mutable {
        for (const auto& cleanUp : cleanUps) cleanUp();
        cleaned.set_value();
    }).detach();
    done.wait_for(kAbandonBound);
    std::cout << "Background work that did not stop in time was abandoned" << std::endl;
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace dispatch
