#include <gtest/gtest.h>

#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/View.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

class AnimationTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        parent.resize(300, 200);
        parent.show();
        view = new View;
        parent.addSubview(view);
        view->setFrame(cg::Rect(0, 0, 50, 50));
        panel = new View;
        parent.addSubview(panel);
        width = new LayoutConstraint(panel, LayoutConstraint::Attribute::Width, 50);
    }
    void expectEndValues() {
        EXPECT_EQ(view->frame(), cg::Rect(100, 40, 80, 60));
        EXPECT_DOUBLE_EQ(view->alphaValue(), 0.25);
        EXPECT_TRUE(hidden->isHidden());
        EXPECT_DOUBLE_EQ(hidden->alphaValue(), 1) << "hiding fades, then restores the alpha";
        EXPECT_DOUBLE_EQ(width->constant(), 350);
        EXPECT_EQ(panel->width(), 350);
    }

    View parent;
    View* view = nullptr;
    View* hidden = nullptr;
    View* panel = nullptr;
    LayoutConstraint* width = nullptr;
};

TEST_F(AnimationTest, ZeroDurationClockLandsAtEndValuesAndCompletesOnce) {
    hidden = new View;
    parent.addSubview(hidden);
    int completions = 0;
    AnimationContext::runAnimationGroup(
        [&](AnimationContext& context) {
            context.duration = 0.5;
            animator(*view).setFrame(cg::Rect(100, 40, 80, 60));
            animator(*view).setAlphaValue(0.25);
            animator(*hidden).setHidden(true);
            animator(*width).setConstant(350);
        },
        [&] { ++completions; });
    expectEndValues();
    EXPECT_EQ(completions, 0);
    animator(*view).setBorderColor(cg::Color{1, 0, 0, 1});
    animator(*view).setBorderWidth(2);
    animator(*view).setBackgroundColor(std::nullopt);
    EXPECT_EQ(view->layer()->borderColor, (cg::Color{1, 0, 0, 1}));
    EXPECT_EQ(view->layer()->borderWidth, 2);
    EXPECT_EQ(view->layer()->backgroundColor, std::nullopt);
    drain();
    EXPECT_EQ(completions, 1);
    drain();
    EXPECT_EQ(completions, 1);
}

TEST_F(AnimationTest, RunningClockLandsAtEndValuesAndCompletesOnce) {
    hidden = new View;
    parent.addSubview(hidden);
    AnimationClock::setDurationScale(1);
    int completions = 0;
    AnimationContext::runAnimationGroup(
        [&](AnimationContext& context) {
            context.duration = 0.15;
            animator(*view).setFrame(cg::Rect(100, 40, 80, 60));
            animator(*view).setAlphaValue(0.25);
            animator(*hidden).setHidden(true);
            animator(*width).setConstant(350);
            animator(*view).setBackgroundColor(cg::Color{0, 0, 1, 1});
        },
        [&] { ++completions; });
    EXPECT_FALSE(hidden->isHidden()) << "hidden at the end of the fade";
    wait(400);
    expectEndValues();
    EXPECT_EQ(view->layer()->backgroundColor, (cg::Color{0, 0, 1, 1}));
    EXPECT_EQ(completions, 1);

    // An empty group still completes, once, after its duration.
    int empty = 0;
    AnimationContext::runAnimationGroup([](AnimationContext& c) { c.duration = 0.05; }, [&] { ++empty; });
    EXPECT_EQ(empty, 0);
    wait(200);
    EXPECT_EQ(empty, 1);
}

TEST_F(AnimationTest, KeyPathAnimationsPresentTheirValueAndReportTheirEnd) {
    view->setWantsLayer(true);
    std::vector<bool> stops;
    KeyPathAnimation fade;
    fade.keyPath = KeyPath::opacity;
    fade.fromValue = 0.0;
    fade.toValue = 1.0;
    fade.removedOnCompletion = false;
    fade.didStop = [&](bool finished) { stops.push_back(finished); };
    view->addAnimation(fade, "fade");
    drain();
    EXPECT_EQ(stops, std::vector<bool>{true});
    EXPECT_DOUBLE_EQ(view->layer()->presented(KeyPath::opacity), 1.0);

    KeyPathAnimation pulse;
    pulse.keyPath = KeyPath::scale;
    pulse.values = {1, 1.4, 0.8};
    pulse.keyTimes = {0, 0.3, 1};
    pulse.removedOnCompletion = false;
    view->addAnimation(pulse, "pulse");
    EXPECT_DOUBLE_EQ(view->layer()->presented(KeyPath::scale), 0.8) << "keyframes end at their last value";
    pulse.autoreverses = true;
    view->addAnimation(pulse, "pulse");
    EXPECT_DOUBLE_EQ(view->layer()->presented(KeyPath::scale), 1.0) << "reversed back to the first";

    AnimationClock::setDurationScale(1);
    stops.clear();
    KeyPathAnimation spin;
    spin.keyPath = KeyPath::rotation;
    spin.fromValue = 0.0;
    spin.toValue = 6.28;
    spin.duration = 1;
    spin.repeatCount = std::numeric_limits<double>::infinity();
    spin.didStop = [&](bool finished) { stops.push_back(finished); };
    view->addAnimation(spin, "spin");
    wait(50);
    EXPECT_TRUE(view->hasAnimation("spin"));
    // The same key replaces the running animation, which reports that it did not finish.
    KeyPathAnimation still;
    still.keyPath = KeyPath::rotation;
    still.fromValue = 0.0;
    still.toValue = 0.0;
    still.duration = 0.05;
    view->addAnimation(still, "spin");
    wait(200);
    EXPECT_EQ(stops, std::vector<bool>{false});
    EXPECT_FALSE(view->hasAnimation("spin"));
    EXPECT_DOUBLE_EQ(view->layer()->presented(KeyPath::rotation), 0.0) << "model value once removed";
}

TEST_F(AnimationTest, WorkPostedForAGoneViewNeverRuns) {
    auto* doomed = new View(&parent);
    int ran = 0;
    postToMain(doomed, [&] { ++ran; });
    postToMainAfter(doomed, 0.2, [&] { ++ran; });
    KeyPathAnimation fade;
    fade.keyPath = KeyPath::opacity;
    fade.fromValue = 0.0;
    fade.toValue = 1.0;
    fade.didStop = [&](bool) { ++ran; };
    doomed->addAnimation(fade, "fade");
    AnimationContext::runAnimationGroup([](AnimationContext&) {}, [&] { ++ran; }, doomed);
    delete doomed;
    mainQueue->advance(1);
    EXPECT_EQ(ran, 0);
}

TEST_F(AnimationTest, RetriesWaitAFrameAndGiveUpAfterFiveSeconds) {
    int attempts = 0;
    retryOnMain(
        &parent, [&] { return ++attempts == 3; }, 0.0);
    EXPECT_EQ(attempts, 0);
    mainQueue->advance(0.016);
    EXPECT_LE(attempts, 1);
    mainQueue->advance(1);
    EXPECT_EQ(attempts, 3);

    int forever = 0;
    retryOnMain(
        &parent, [&] { return ++forever < 0; }, 0.02);
    mainQueue->advance(20);
    EXPECT_GE(forever, 200);
    EXPECT_LE(forever, 252);
    EXPECT_EQ(mainQueue->pendingCount(), 0u);
}

}  // namespace
