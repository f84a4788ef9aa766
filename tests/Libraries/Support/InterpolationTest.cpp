// Clamping with bounds in either order, the fraction of the way between two values, and the frame
// by frame run of an animation ticked by hand.

#include <gtest/gtest.h>

#include <string>

#include "Libraries/Support/InterpolationAnimation.h"

namespace support {
namespace {

static_assert(InverseInterpolatable<CGFloat>);
static_assert(Summable<cg::Point> && Subtractable<cg::Point> && ScalarMultipliable<cg::Point>);

TEST(InterpolationTest, ClampTakesItsBoundsInEitherOrder) {
    struct Case {
        double value, a, b, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 5},  {15, 10, 0, 10}, {-3, 0, 10, 0},    {7, 4, 4, 4},
        {-3, 10, 0, 0}, {10, 0, 10, 10}, {0.5, 1, -1, 0.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clamp(c.value, c.a, c.b), c.expected) << c.value << " " << c.a << " " << c.b;
    EXPECT_EQ(clamp(std::string("m"), std::string("z"), std::string("n")), "n");
    EXPECT_EQ(clamp(7, 9, 3), 7);

    struct Fraction {
        double value, from, to, expected;
    };
    const Fraction fractions[] = {
        {5, 0, 10, 0.5}, {0, 10, 0, 1}, {15, 10, 20, 0.5}, {3, 3, 3, 0}, {-5, 0, 10, -0.5}};
    for (const auto& f : fractions)
        EXPECT_EQ(InverseInterpolation<CGFloat>::fraction(f.value, f.from, f.to), f.expected) << f.value;
}

struct Log {
    std::vector<std::pair<double, double>> progress;  // value, fraction
    std::vector<std::pair<double, bool>> completion;
};

std::unique_ptr<InterpolationAnimation<CGFloat>> logged(Log& log, double duration, double from, double to,
                                                        int fps, int delay) {
    auto animation = std::make_unique<InterpolationAnimation<CGFloat>>(duration, from, to, fps, delay);
    animation->setProgressHandler([&log](const double& v, double f) { log.progress.emplace_back(v, f); });
    animation->setCompletionHandler(
        [&log](const double& v, bool done) { log.completion.emplace_back(v, done); });
    return animation;
}

TEST(InterpolationTest, FramesRunAfterTheDelayAndEndExactlyOnTheEndValue) {
    Log log;
    auto animation = logged(log, 0.5, 0.1, 0.3, 10, 2);
    EXPECT_EQ(animation->numberOfFrames(), 5);
    EXPECT_FALSE(animation->advanceFrame());  // not started: no frame runs
    animation->start();
    EXPECT_TRUE(animation->advanceFrame());
    EXPECT_TRUE(animation->advanceFrame());
    EXPECT_EQ(animation->delayNumber(), 2);
    EXPECT_TRUE(log.progress.empty());
    int ticks = 0;
    while (animation->advanceFrame()) ++ticks;
    EXPECT_EQ(ticks, 4);
    ASSERT_EQ(log.progress.size(), 5u);
    const double expected[] = {0.14, 0.18, 0.22, 0.26};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(log.progress[i].first, expected[i], 1e-12);
        EXPECT_DOUBLE_EQ(log.progress[i].second, (i + 1) / 5.0);
    }
    EXPECT_EQ(log.progress.back(), (std::pair<double, double>{0.3, 1.0}));
    EXPECT_EQ(log.completion, (std::vector<std::pair<double, bool>>{{0.3, true}}));
    EXPECT_EQ(animation->state(), InterpolationAnimation<CGFloat>::InterpolationAnimationState::finished);
    animation->cancel();  // too late: nothing more is reported
    EXPECT_EQ(log.completion.size(), 1u);
}

TEST(InterpolationTest, CancelReportsWhereItStoppedAndDegenerateTimingsStillEnd) {
    Log log;
    auto animation = logged(log, 1, 0, 100, 4, 0);
    animation->start();
    animation->advanceFrame();
    animation->cancel();
    animation->cancel();
    EXPECT_FALSE(animation->advanceFrame());
    EXPECT_EQ(log.completion, (std::vector<std::pair<double, bool>>{{25, false}}));

    struct Timing {
        double duration;
        int fps;
        int frames;
    };
    const Timing timings[] = {{0, 60, 1}, {-1, 60, 1}, {NAN, 60, 1},  {INFINITY, 60, 1},
                              {1, 0, 1},  {1, -5, 1},  {0.01, 60, 1}, {2, 30, 60}};
    for (const auto& t : timings) {
        Log each;
        auto a = logged(each, t.duration, 1, 2, t.fps, -3);
        EXPECT_EQ(a->numberOfFrames(), t.frames) << t.duration << " " << t.fps;
        a->start();
        while (a->advanceFrame()) {
        }
        EXPECT_EQ(each.completion, (std::vector<std::pair<double, bool>>{{2, true}})) << t.duration;
    }

    // Points move along the line between their ends; a replaced interpolation function is used.
    InterpolationAnimation<cg::Point> point(1, {0, 0}, {10, -20}, 4);
    std::vector<cg::Point> seen;
    point.setProgressHandler([&](const cg::Point& p, double) { seen.push_back(p); });
    point.start();
    point.advanceFrame();
    point.setInterpolationFunction(
        [](const cg::Point& a, const cg::Point& b, CGFloat f) { return a + (b - a) * (f * f); });
    point.advanceFrame();
    EXPECT_EQ(seen, (std::vector<cg::Point>{{2.5, -5}, {2.5, -5}}));
}

}  // namespace
}  // namespace support
