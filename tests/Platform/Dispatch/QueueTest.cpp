#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Platform/Dispatch/ManualQueue.h"
#include "Platform/Dispatch/OperationQueue.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Dispatch/ThreadPoolQueue.h"

using namespace dispatch;
using namespace std::chrono_literals;

TEST(ManualQueue, RunsBlocksInDeadlineOrderAtTheirVirtualTimes) {
    ManualQueue q;
    std::vector<std::pair<std::string, std::int64_t>> ran;
    auto record = [&](std::string name) { return [&, name] { ran.emplace_back(name, q.now().ns); }; };
    q.asyncAt(Time{2'000'000'000}, record("two"));
    q.asyncAt(Time{500'000'000}, record("half"));
    q.asyncAt(Time{500'000'000}, record("half-second-added"));
    q.async(record("now"));

    EXPECT_EQ(q.runUntilIdle(), 1);
    q.advance(1.0);
    ASSERT_EQ(ran.size(), 3u);
    EXPECT_EQ(ran[1], (std::pair<std::string, std::int64_t>{"half", 500'000'000}));
    EXPECT_EQ(ran[2].first, "half-second-added");
    q.advance(1.0);
    ASSERT_EQ(ran.size(), 4u);
    EXPECT_EQ(ran[3], (std::pair<std::string, std::int64_t>{"two", 2'000'000'000}));
    EXPECT_EQ(q.now().ns, 2'000'000'000);
}

TEST(ManualQueue, BlocksScheduledByBlocksRunWhenTheirTimeComes) {
    ManualQueue q;
    std::vector<std::int64_t> times;
    q.asyncAt(Time{100}, [&] {
        times.push_back(q.now().ns);
        q.asyncAt(Time{q.now().ns + 200}, [&] { times.push_back(q.now().ns); });
    });
    q.advance(1e-6);
    EXPECT_EQ(times, (std::vector<std::int64_t>{100, 300}));
}

TEST(ManualQueue, RunUntilTakesBlocksPostedFromWorkers) {
    ManualQueue q;
    std::atomic<int> sum{0};
    ThreadPoolQueue pool("pool", 4);
    for (int i = 1; i <= 10; ++i) pool.async([&, i] { q.async([&, i] { sum += i; }); });
    EXPECT_TRUE(q.runUntil([&] { return sum == 55; }, 5s));
    EXPECT_TRUE(q.isCurrent());
}

// A block still waiting when the main queue is replaced (the application ending) is freed with its
// queue; what it owns may post to the main queue as it goes, which must not lock the process up.
TEST(ManualQueue, AMainQueueReplacedWithBlocksThatPostAsTheyAreFreedLetsGo) {
    struct PostsWhenFreed {
        ~PostsWhenFreed() {
            Queue::main().async([] {});
        }
    };
    Queue::setMainBackend(std::make_shared<ManualQueue>("main"));
    Queue::main().async([owned = std::make_shared<PostsWhenFreed>()] {});
    auto replaced = std::make_shared<std::promise<void>>();
    auto done = replaced->get_future();
    // On a thread of its own, so that a lock-up fails the test instead of hanging it.
    std::thread([replaced] {
        Queue::setMainBackend(nullptr);
        replaced->set_value();
    }).detach();
    ASSERT_EQ(done.wait_for(30s), std::future_status::ready);
}

TEST(ThreadPoolQueue, RunsEverythingConcurrentlyAndKnowsItsThreads) {
    ThreadPoolQueue pool("pool", 4);
    std::atomic<int> done{0}, inside{0}, maxInside{0};
    std::atomic<bool> currentInBlock{true};
    for (int i = 0; i < 16; ++i) {
        pool.async([&] {
            const int now = ++inside;
            int seen = maxInside.load();
            while (now > seen && !maxInside.compare_exchange_weak(seen, now)) {
            }
            if (!pool.isCurrent()) currentInBlock = false;
            std::this_thread::sleep_for(10ms);
            --inside;
            ++done;
        });
    }
    const auto limit = std::chrono::steady_clock::now() + 5s;
    while (done < 16 && std::chrono::steady_clock::now() < limit) std::this_thread::sleep_for(1ms);
    EXPECT_EQ(done, 16);
    EXPECT_GT(maxInside, 1);
    EXPECT_TRUE(currentInBlock);
    EXPECT_FALSE(pool.isCurrent());
}

TEST(OperationQueue, CancelledOperationsThatHaveNotStartedNeverRun) {
    auto queue = OperationQueue::make("PreviewQueue", 1);
    std::atomic<bool> release{false};
    std::atomic<int> ran{0};
    std::atomic<bool> firstSawCancel{false}, started{false};
    queue->addOperation([&](const Operation& op) {
        started = true;
        while (!release) std::this_thread::sleep_for(1ms);
        firstSawCancel = op.isCancelled();
        ++ran;
    });
    for (int i = 0; i < 5; ++i) queue->addOperation([&](const Operation&) { ++ran; });
    EXPECT_EQ(queue->name(), "PreviewQueue");
    while (!started) std::this_thread::sleep_for(1ms);
    queue->cancelAllOperations();
    release = true;
    const auto limit = std::chrono::steady_clock::now() + 5s;
    while (queue->operationCount() > 0 && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(1ms);
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(firstSawCancel);
}
