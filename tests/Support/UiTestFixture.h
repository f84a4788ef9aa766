#pragma once
// The harness for interface tests: a manual main queue, animations at zero duration, no scripted
// answers left over from another test, and a drain that runs Qt's events and the main queue's
// blocks until both are idle. Needs a QApplication (made by the test folder's main) and the
// offscreen platform.

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Support/MainQueueFixture.h"

namespace testsupport {

class UiTest : public MainQueueTest {
  protected:
    void SetUp() override {
        MainQueueTest::SetUp();
        appkit::AnimationClock::setDurationScale(0);
        appkit::ModalScript::clear();
    }
    void TearDown() override {
        drain();
        appkit::ModalScript::clear();
        appkit::AnimationClock::setDurationScale(0);
        MainQueueTest::TearDown();
    }

    // Runs posted Qt events and due main-queue blocks until neither has anything left.
    void drain() {
        for (int round = 0; round < 1000; ++round) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            if (mainQueue->runUntilIdle() == 0 && round > 2) break;
        }
    }
    // Lets `ms` of real time pass for running animations, then drains.
    void wait(int ms) {
        QTest::qWait(ms);
        drain();
    }
};

}  // namespace testsupport
