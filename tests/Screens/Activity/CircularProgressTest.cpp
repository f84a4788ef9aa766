// The progress ring: arcs drawn in the right direction from the right place, progress shown at
// once or animated, and what a later animation does to a running one.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "Platform/AppKit/AnimationClock.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Support/UiTestFixture.h"

namespace {

class RingTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        ring = std::make_unique<CircularProgressView>();
        ring->resize(150, 150);
    }
    void TearDown() override {
        ring.reset();
        UiTest::TearDown();
    }
    std::unique_ptr<CircularProgressView> ring;
};

void expectNear(QPointF p, double x, double y) {
    EXPECT_NEAR(p.x(), x, 0.5) << p.x() << "," << p.y();
    EXPECT_NEAR(p.y(), y, 0.5) << p.x() << "," << p.y();
}

bool isBlue(QRgb c) {
    return qBlue(c) > 180 && qRed(c) < 90 && qAlpha(c) > 100;
}

}  // namespace

TEST_F(RingTest, BarsRunClockwiseFromTheTopOrCounterClockwiseByTheirAngles) {
    CircularBarLayer full(cg::Color::black(), false, {75, 75}, 60, 10, 90, -270);
    expectNear(full.path.pointAtPercent(0), 75, 135);     // the top, y up
    expectNear(full.path.pointAtPercent(0.25), 135, 75);  // then the right: clockwise
    expectNear(full.path.pointAtPercent(0.5), 75, 15);
    EXPECT_EQ(full.strokeEnd, 0.0);  // a new bar shows nothing

    CircularBarLayer half(cg::Color::black(), true, {75, 75}, 60, 10, 0, 180);
    expectNear(half.path.pointAtPercent(0), 135, 75);
    expectNear(half.path.pointAtPercent(0.5), 75, 135);  // over the top: counter-clockwise
    expectNear(half.path.pointAtPercent(1), 15, 75);
    EXPECT_EQ(half.lineCap, Qt::RoundCap);

    half.setProgress(0.6);
    EXPECT_DOUBLE_EQ(half.progress(), 0.6);
    half.setProgress(std::nullopt);
    EXPECT_EQ(half.progress(), 0.0);
}

TEST_F(RingTest, AddedBarsShowTheirProgressAndTheTrackIsNoBar) {
    ring->addTrackBar(cg::Color{0.8, 0.8, 0.8, 1}, 90, -270, 60, 10);
    EXPECT_TRUE(ring->bars().empty());
    ring->addBar(cg::Color{0, 0.478, 1, 1}, 90, -270, 0.25, 60, 10, 0, 0.4f, 8);
    ASSERT_EQ(ring->bars().size(), 1u);
    EXPECT_EQ(ring->layer()->sublayers.size(), 2u);
    CircularBarLayer* bar = ring->barAt(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_DOUBLE_EQ(bar->progress(), 0.25);
    EXPECT_DOUBLE_EQ(bar->shadowOpacity, 0.4f);
    EXPECT_EQ(bar->shadowRadius, 8.0);
    EXPECT_EQ(ring->barAt(1), nullptr);
    EXPECT_EQ(ring->allBars().size(), 1u);

    // A quarter ring: blue on the upper right, nothing on the left.
    const QImage shot = ring->grab().toImage();
    EXPECT_TRUE(isBlue(shot.pixel(75 + 42, 75 - 42))) << std::hex << shot.pixel(117, 33);
    EXPECT_FALSE(isBlue(shot.pixel(15, 75)));
    EXPECT_FALSE(isBlue(shot.pixel(75, 135)));

    // Resized afterwards, the bars stay where they were placed.
    ring->resize(300, 300);
    const QRectF box = bar->path.boundingRect();
    EXPECT_NEAR(box.center().x(), 75, 0.5);
    EXPECT_NEAR(box.center().y(), 75, 0.5);
}

TEST_F(RingTest, ANewStrokeAnimationReplacesTheRunningOneFromTheModelValue) {
    appkit::AnimationClock::setDurationScale(1);
    ring->addBar(cg::Color{0, 0.478, 1, 1}, 90, -270, 0, 60, 10, 0, 0.4f, 8);
    CircularBarLayer* bar = ring->barAt(0);
    int completions = 0;
    bar->completion = [&] { ++completions; };

    bar->animateStrokeEnd(0.8, 10);
    EXPECT_DOUBLE_EQ(bar->strokeEnd, 0.8);  // the model holds the end value at once
    EXPECT_DOUBLE_EQ(bar->presented(appkit::KeyPath::strokeEnd), 0.0);
    bar->animateStrokeEnd(0.5, 10);
    EXPECT_DOUBLE_EQ(bar->strokeEnd, 0.5);
    EXPECT_DOUBLE_EQ(bar->presented(appkit::KeyPath::strokeEnd), 0.8);
    drain();
    EXPECT_EQ(completions, 0);  // the replaced animation did not finish

    appkit::AnimationClock::setDurationScale(0);
    bar->animateStrokeEnd(1.0, 1);
    drain();
    EXPECT_EQ(completions, 1);
    EXPECT_DOUBLE_EQ(bar->presented(appkit::KeyPath::strokeEnd), 1.0);
}

TEST_F(RingTest, TheBarCastsItsBlueGlowJustOutsideItsStrokeAndOnlyWhereItIs) {
    struct Case {
        float shadowOpacity;
        bool glows;
    };
    for (const Case c : {Case{0.4f, true}, Case{0.0f, false}}) {
        SCOPED_TRACE(c.shadowOpacity);
        auto view = std::make_unique<CircularProgressView>();
        view->resize(150, 150);
        view->addBar(cg::Color{0, 0.478, 1, 1}, 90, -270, 0.25, 60, 10, 0, c.shadowOpacity, 8);
        const QImage shot = view->grab().toImage();
        // Four points outside the stroke (radius 60, width 10), in the middle of the quarter drawn.
        const double out = 69 / std::sqrt(2.0);
        const QRgb glow = shot.pixel(static_cast<int>(75 + out), static_cast<int>(75 - out));
        const QRgb background = shot.pixel(2, 2);
        const int bluer = (qBlue(glow) - qRed(glow)) - (qBlue(background) - qRed(background));
        if (c.glows)
            EXPECT_GT(bluer, 6) << "no blue shadow beside the bar: " << std::hex << glow << " on "
                                << background;
        else
            EXPECT_EQ(glow, background);
        // Where no bar is drawn there is no shadow either.
        EXPECT_EQ(shot.pixel(static_cast<int>(75 - out), static_cast<int>(75 + out)), background);
    }
}
