#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "Extensions/DelayedDispatch.h"
#include "Platform/Dispatch/ThreadPoolQueue.h"
#include "Support/MainQueueFixture.h"

using dispatch::Time;

TEST(DelayedDispatch, DeadlinesTruncateToWholeNanoseconds) {
    const Time now{1'000};
    EXPECT_EQ(deadlineAfter(now, 0.5).ns, 1'000 + 500'000'000);
    EXPECT_EQ(deadlineAfter(now, 1.0 + 0.4e-9).ns, 1'000 + 1'000'000'000);
    EXPECT_EQ(deadlineAfter(now, -0.25).ns, 1'000 - 250'000'000);
    EXPECT_EQ(deadlineAfter(now, 0).ns, 1'000);
    // Broken delays are clamped instead of overflowing.
    EXPECT_EQ(deadlineAfter(now, std::numeric_limits<double>::infinity()).ns, INT64_MAX);
    EXPECT_EQ(deadlineAfter(now, std::nan("")).ns, 1'000);
    EXPECT_EQ(deadlineAfter(now, -1e300).ns, INT64_MIN + 1'000);
    EXPECT_EQ(deadlineAfter(Time{-5}, -1e300).ns, INT64_MIN);
}

class DelayedDispatchOnMain : public testsupport::MainQueueTest {};

TEST_F(DelayedDispatchOnMain, ZeroDelayStillRunsLaterAndDelaysRunInOrder) {
    std::vector<std::string> ran;
    mainAfter(0.5, [&] { ran.push_back("half"); });
    mainAfter(0.02, [&] { ran.push_back("frame"); });
    asyncAfter(dispatch::Queue::main(), 0, [&] { ran.push_back("zero"); });
    EXPECT_TRUE(ran.empty());
    mainQueue->runUntilIdle();
    EXPECT_EQ(ran, (std::vector<std::string>{"zero"}));
    mainQueue->advance(0.02);
    EXPECT_EQ(ran.back(), "frame");
    mainQueue->advance(0.47);
    EXPECT_EQ(ran.size(), 2u);
    mainQueue->advance(0.01);
    EXPECT_EQ(ran.back(), "half");
}

TEST_F(DelayedDispatchOnMain, KnowsWhichQueueItRunsOn) {
    EXPECT_TRUE(isMainQueue());
    dispatch::ThreadPoolQueue worker("worker", 1);
    std::atomic<int> answers{0};
    std::atomic<bool> mainOnWorker{true}, workerOnWorker{false};
    worker.async([&] {
        mainOnWorker = isMainQueue();
        workerOnWorker = isCurrent(worker);
        dispatch::Queue::main().async([&] {
            if (isMainQueue() && !isCurrent(worker)) ++answers;
        });
    });
    EXPECT_TRUE(mainQueue->runUntil([&] { return answers == 1; }));
    EXPECT_FALSE(mainOnWorker);
    EXPECT_TRUE(workerOnWorker);
}
