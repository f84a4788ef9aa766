#pragma once
// Installs a fresh manual main queue for each test, so delayed main-queue steps run only when the
// test advances the virtual clock.

#include <gtest/gtest.h>

#include <memory>

#include "Platform/Dispatch/ManualQueue.h"

namespace testsupport {

class MainQueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainQueue = std::make_shared<dispatch::ManualQueue>("main");
        dispatch::Queue::setMainBackend(mainQueue);
    }
    void TearDown() override {
        mainQueue->runUntilIdle();
        dispatch::Queue::setMainBackend(nullptr);
    }

    std::shared_ptr<dispatch::ManualQueue> mainQueue;
};

}  // namespace testsupport
