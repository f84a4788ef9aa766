// Entrance animations: where views start and end, when they hide, and that replays never pile up
// chains.

#include <gtest/gtest.h>

#include <QPointer>
#include <set>

#include "Controls/ViewAnimation.h"
#include "Support/UiTestFixture.h"

using controls::ViewAnimation;

namespace {

class ViewAnimationTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        host.resize(800, 600);
        view = new ViewAnimation(&host);
        view->setFrame(cg::Rect(100, 50, 200, 40));
        host.show();
    }
    appkit::View host;
    ViewAnimation* view = nullptr;
};

TEST_F(ViewAnimationTest, SideFrames) {
    const cg::Rect f(100, 50, 200, 40);
    EXPECT_EQ(ViewAnimation::sideFrame(f, 4), cg::Rect(100, 10, 200, 40));
    EXPECT_EQ(ViewAnimation::sideFrame(f, 3), cg::Rect(300, 50, 200, 40));
    EXPECT_EQ(ViewAnimation::sideFrame(f, 2), cg::Rect(100, 90, 200, 40));
    EXPECT_EQ(ViewAnimation::sideFrame(f, 0), cg::Rect(-100, 50, 200, 40));
    EXPECT_EQ(ViewAnimation::sideFrame(f, -7), cg::Rect(-100, 50, 200, 40));
}

TEST_F(ViewAnimationTest, DefaultsDoNothingAndFirstShowDoesNotAnimate) {
    view->setAlphaValue(0.6);
    view->setHidden(true);
    view->setHidden(false);
    mainQueue->advance(5);
    EXPECT_DOUBLE_EQ(view->alphaValue(), 0.6);
    EXPECT_EQ(view->frame(), cg::Rect(100, 50, 200, 40));

    view->Slide = 3;
    appkit::View other;  // shown for the first time: not an unhide
    other.resize(100, 100);
    auto* fresh = new ViewAnimation(&other);
    fresh->Slide = 3;
    fresh->setFrame(cg::Rect(0, 0, 10, 10));
    other.show();
    mainQueue->advance(5);
    EXPECT_EQ(fresh->frame(), cg::Rect(0, 0, 10, 10));
}

TEST_F(ViewAnimationTest, SlideInJumpsToItsSideAndComesBackAfterTheDelay) {
    view->Slide = 3;
    view->Delay = 0.5;
    view->setHidden(true);
    view->setHidden(false);
    EXPECT_EQ(view->frame(), cg::Rect(300, 50, 200, 40));
    mainQueue->advance(0.4);
    EXPECT_EQ(view->frame(), cg::Rect(300, 50, 200, 40));
    mainQueue->advance(0.2);
    drain();
    EXPECT_EQ(view->frame(), cg::Rect(100, 50, 200, 40));
}

TEST_F(ViewAnimationTest, SubviewsStartFromTheParentsSide) {
    auto* a = new QWidget(view);
    auto* b = new QWidget(view);
    view->addSubview(a);
    view->addSubview(b);
    appkit::View::setFrameOf(a, cg::Rect(5, 5, 20, 10));
    appkit::View::setFrameOf(b, cg::Rect(30, 5, 20, 10));
    view->SlideSub = true;
    view->Slide = 4;
    view->Delay = 1;
    view->slideIn();
    mainQueue->advance(0.01);
    EXPECT_EQ(appkit::View::frameOf(a), cg::Rect(5, 10, 20, 10));  // parent's y - parent's height
    EXPECT_EQ(appkit::View::frameOf(b), cg::Rect(30, 10, 20, 10));
    mainQueue->advance(1);
    drain();
    EXPECT_EQ(appkit::View::frameOf(a), cg::Rect(5, 5, 20, 10));
    EXPECT_EQ(appkit::View::frameOf(b), cg::Rect(30, 5, 20, 10));
}

TEST_F(ViewAnimationTest, FadeOutHidesAndTheNextUnhidePlaysAgain) {
    view->FadeOut = true;
    view->WillHide = true;
    view->OutDelay = 2;
    view->setHidden(true);
    view->setHidden(false);
    mainQueue->advance(1.9);
    drain();
    EXPECT_FALSE(view->isHidden());
    mainQueue->advance(0.2);
    drain();
    EXPECT_TRUE(view->isHidden());
    EXPECT_DOUBLE_EQ(view->alphaValue(), 0);
    view->setHidden(false);
    mainQueue->advance(2.1);
    drain();
    EXPECT_TRUE(view->isHidden());
}

TEST_F(ViewAnimationTest, SlideOutMovesAwayThenHidesAndLeaves) {
    view->SlideOut = 2;
    view->OutDelay = 1;
    view->WillHide = true;
    view->WillRemove = true;
    QPointer<ViewAnimation> guard(view);
    view->setHidden(true);
    view->setHidden(false);
    mainQueue->advance(0.9);
    EXPECT_EQ(view->frame(), cg::Rect(100, 50, 200, 40));
    mainQueue->advance(0.2);
    drain();
    EXPECT_TRUE(host.subviews().empty());
    EXPECT_TRUE(guard.isNull());
    view = nullptr;
}

TEST_F(ViewAnimationTest, CallAnimationLeavesTransparentUnlessSomethingRaisesIt) {
    view->setCallAnimation(false);
    EXPECT_DOUBLE_EQ(view->alphaValue(), 0);
    mainQueue->advance(1);
    drain();
    EXPECT_DOUBLE_EQ(view->alphaValue(), 0);

    view->Fade = true;
    view->setCallAnimation(true);
    mainQueue->advance(1);
    drain();
    EXPECT_DOUBLE_EQ(view->alphaValue(), 1);
}

TEST_F(ViewAnimationTest, LoopReplaysItsCountThenEnds) {
    view->DoLoopCount = 2;
    view->Slide = 3;
    view->MyFrame = view->frame();
    view->setDoLoop(3);
    ASSERT_TRUE(view->isLooping());
    mainQueue->advance(3);
    EXPECT_EQ(view->DoLoopCount, 1);
    mainQueue->advance(3);
    EXPECT_EQ(view->DoLoopCount, 0);
    mainQueue->advance(3);
    drain();
    EXPECT_FALSE(view->isLooping());
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(ViewAnimationTest, LoopWithoutAPeriodReplaysOnceAndResettingKeepsOneChain) {
    view->setDoLoop(0);
    drain();
    EXPECT_EQ(view->DoLoopCount, 9999);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);

    for (int i = 0; i < 10; ++i) view->setDoLoop(1);
    mainQueue->advance(1);
    EXPECT_EQ(view->DoLoopCount, 9998);  // ten sets, one replay per period
}

TEST_F(ViewAnimationTest, GlowBreathesByItsAmountAndTenReplaysKeepOneChain) {
    view->Glow = 5;
    view->Duration = 0.5;
    view->Delay = 0.5;
    view->isBlinking = true;
    const cg::Rect base = view->frame();
    for (int i = 0; i < 10; ++i) {
        view->setHidden(true);
        view->setHidden(false);
        view->setCallAnimation(true);
    }
    std::set<std::pair<double, double>> sizes;
    for (int tick = 0; tick < 200; ++tick) {
        mainQueue->advance(0.05);
        drain();
        sizes.insert({view->frame().size.width, view->frame().size.height});
        // Steps of replaced chains run out within the first second; then one chain is left.
        if (tick > 20) {
            EXPECT_LE(mainQueue->pendingCount(), 1u);
        }
    }
    EXPECT_EQ(sizes, (std::set<std::pair<double, double>>{{200, 40}, {210, 50}}));
    EXPECT_TRUE(view->hasAnimation("blink"));

    view->setHidden(true);  // hiding stops the breathing at the base frame and the blink
    mainQueue->advance(5);
    EXPECT_EQ(view->frame(), base);
    EXPECT_FALSE(view->hasAnimation("blink"));
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

TEST_F(ViewAnimationTest, GlowWithoutDurationOrDelayDoesNotSpin) {
    view->Glow = 2;
    view->Duration = 0;
    view->setHidden(true);
    view->setHidden(false);
    // One second holds at most a frame's worth of steps.
    int steps = 0;
    for (int i = 0; i < 1000 && mainQueue->pendingCount() > 0; ++i) {
        steps += mainQueue->advance(0.001);
    }
    EXPECT_LE(steps, 61);
}

TEST_F(ViewAnimationTest, ShakeAndDestroyedViewDropsItsSteps) {
    // A view made with a frame in code has no layer: it never shakes or blinks.
    ViewAnimation* plain = ViewAnimation::withFrame(cg::Rect(0, 0, 50, 20), &host);
    plain->Attraction = 1;
    plain->isBlinking = true;
    plain->setHidden(true);
    plain->setHidden(false);
    mainQueue->advance(1);
    EXPECT_FALSE(plain->hasAnimation("position"));
    EXPECT_EQ(plain->layer(), nullptr);

    // One made as a scene makes it shakes without anyone asking for a layer.
    view->Attraction = 1;
    appkit::AnimationClock::setDurationScale(1);  // the shake runs for a real second
    view->setHidden(true);
    view->setHidden(false);
    mainQueue->advance(1);
    EXPECT_TRUE(view->hasAnimation("position"));
    EXPECT_EQ(view->frame(), cg::Rect(100, 50, 200, 40));  // it jitters the layer, not the frame
    delete view;
    view = nullptr;
    mainQueue->advance(5);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

}  // namespace
