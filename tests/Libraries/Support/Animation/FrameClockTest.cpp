// Animations run on the main queue on the interface's animation clock: their values at fixed times
// of a fake clock, slowed down with the clock, and all at once when the clock is stopped.

#include <gtest/gtest.h>

#include "Libraries/Support/Animation/FrameClock.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Support/MainQueueFixture.h"

namespace support {
namespace {

class FrameClockTest : public testsupport::MainQueueTest {
  protected:
    void TearDown() override {
        appkit::AnimationClock::setDurationScale(1);
        MainQueueTest::TearDown();
    }

    // 0 to 100 over one second at 10 frames a second, after 2 frames of delay.
    std::shared_ptr<InterpolationAnimation<CGFloat>> started() {
        auto animation = std::make_shared<InterpolationAnimation<CGFloat>>(1.0, 0.0, 100.0, 10, 2);
        animation->setProgressHandler([this](const double& v, double) { values.push_back(v); });
        animation->setCompletionHandler(
            [this](const double& v, bool finished) { ends.emplace_back(v, finished); });
        run(animation);
        return animation;
    }

    std::vector<double> values;
    std::vector<std::pair<double, bool>> ends;
};

TEST_F(FrameClockTest, ValuesAtFixedTimesOfTheClock) {
    // Seconds of the clock scale -> (time, the last value shown by then).
    struct Sample {
        double at;
        double value;  // NaN: nothing shown yet
    };
    struct Run {
        double scale;
        std::vector<Sample> samples;
    };
    const Run runs[] = {
        {1, {{0.05, NAN}, {0.2, NAN}, {0.3, 10}, {0.35, 10}, {0.75, 50}, {1.19, 90}, {1.2, 100}, {5, 100}}},
        {2, {{0.4, NAN}, {0.6, 10}, {1.5, 50}, {2.39, 90}, {2.4, 100}}},
    };
    for (const auto& r : runs) {
        appkit::AnimationClock::setDurationScale(r.scale);
        values.clear();
        ends.clear();
        const auto animation = started();
        double now = 0;
        for (const auto& s : r.samples) {
            mainQueue->advance(s.at - now);
            now = s.at;
            if (std::isnan(s.value)) {
                EXPECT_TRUE(values.empty()) << "scale " << r.scale << " at " << s.at;
            } else {
                ASSERT_FALSE(values.empty()) << "scale " << r.scale << " at " << s.at;
                EXPECT_NEAR(values.back(), s.value, 1e-9) << "scale " << r.scale << " at " << s.at;
            }
            EXPECT_EQ(ends.empty(), s.value != 100) << "scale " << r.scale << " at " << s.at;
        }
        EXPECT_EQ(values.size(), 10u);
        EXPECT_EQ(ends, (std::vector<std::pair<double, bool>>{{100, true}}));
        EXPECT_EQ(mainQueue->pendingCount(), 0u) << "a finished animation schedules no more frames";
    }
}

TEST_F(FrameClockTest, CancelStopsTheFramesAndAStoppedClockRunsThemAtOnce) {
    const auto animation = started();
    mainQueue->advance(0.55);
    animation->cancel();
    mainQueue->advance(2);
    EXPECT_EQ(values.size(), 3u);
    EXPECT_EQ(ends, (std::vector<std::pair<double, bool>>{{30, false}}));
    EXPECT_EQ(mainQueue->pendingCount(), 0u);

    appkit::AnimationClock::setDurationScale(0);
    values.clear();
    ends.clear();
    started();
    EXPECT_TRUE(values.empty()) << "frames never run inside the call that starts them";
    mainQueue->runUntilIdle();
    EXPECT_EQ(values.size(), 10u);
    EXPECT_EQ(ends, (std::vector<std::pair<double, bool>>{{100, true}}));
}

}  // namespace
}  // namespace support
