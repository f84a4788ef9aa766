#include <gtest/gtest.h>

#include <QVariantAnimation>
#include <limits>

#include "Controls/ArcPath.h"
#include "Controls/IndicatorShape.h"
#include "Controls/KRActivityIndicatorAnimationBallClipRotateMultiple.h"
#include "Controls/KRActivityIndicatorView.h"
#include "ControlsTestSupport.h"

using namespace controls;

namespace {

class ActivityIndicatorTest : public controlstest::ControlsTest {};

int runningTimers(const QObject& owner) {
    int n = 0;
    for (auto* a : owner.findChildren<QVariantAnimation*>())
        if (a->state() == QAbstractAnimation::Running) ++n;
    return n;
}

TEST(IndicatorTypes, CatalogueNamesAndRawValues) {
    EXPECT_EQ(indicatortype::allCases().size(), 32u);
    EXPECT_EQ(indicatortype::allCases()[6], KRActivityIndicatorType::ballClipRotateMultiple);
    EXPECT_EQ(indicatortype::fromRawValue(31), KRActivityIndicatorType::audioEqualizer);
    EXPECT_EQ(indicatortype::fromRawValue(32), std::nullopt);
    EXPECT_EQ(indicatortype::fromRawValue(-1), std::nullopt);
    EXPECT_EQ(indicatortype::description(KRActivityIndicatorType::lineScalePulseOutRapid),
              "lineScalePulseOutRapid");
    EXPECT_EQ(indicatortype::fromName("BALLpulse"), KRActivityIndicatorType::ballPulse);
    EXPECT_EQ(indicatortype::fromName("ball Pulse"), std::nullopt);
}

TEST_F(ActivityIndicatorTest, NewIndicatorIsHiddenWithTheClassDefaults) {
    KRActivityIndicatorView v;
    EXPECT_TRUE(v.isHidden());
    EXPECT_FALSE(v.isAnimating());
    EXPECT_EQ(v.typeName(), "blank");
    EXPECT_EQ(v.color(), cg::Color::whiteColor());
    EXPECT_EQ(v.padding(), 0);
    v.setTypeName("BallPulse");
    EXPECT_EQ(v.type(), KRActivityIndicatorType::ballPulse);
    v.setTypeName("");
    v.setTypeName("ball pulse");
    EXPECT_EQ(v.type(), KRActivityIndicatorType::ballPulse);

    KRActivityIndicatorView coded(cg::Rect(0, 0, 30, 30), std::nullopt, cg::Color{1, 0, 0, 1}, std::nullopt,
                                  nullptr);
    EXPECT_TRUE(coded.isHidden());
    EXPECT_EQ(coded.type(), KRActivityIndicatorType::blank);
    EXPECT_EQ(coded.color(), (cg::Color{1, 0, 0, 1}));
    EXPECT_EQ(coded.size(), QSize(30, 30));

    // New indicators take the class defaults as they stand when made.
    KRActivityIndicatorView::setDefaultColor({0, 1, 0, 1});
    KRActivityIndicatorView::setDefaultPadding(6);
    KRActivityIndicatorView later;
    KRActivityIndicatorView::setDefaultColor(cg::Color::whiteColor());
    KRActivityIndicatorView::setDefaultPadding(0);
    EXPECT_EQ(later.color(), (cg::Color{0, 1, 0, 1}));
    EXPECT_EQ(later.padding(), 6);
    EXPECT_EQ(v.color(), cg::Color::whiteColor());
}

TEST_F(ActivityIndicatorTest, RingsAreSizedByPaddingOnceAndCentredOnTheBounds) {
    EXPECT_EQ(KRActivityIndicatorView::ringSize({100, 50}, 10), 40);
    EXPECT_EQ(KRActivityIndicatorView::ringSize({20, 30}, 50), 20);  // |20-50| and |30-50|
    KRActivityIndicatorView v(cg::Rect(0, 0, 100, 50), KRActivityIndicatorType::pacman, std::nullopt, 10,
                              nullptr);
    v.startAnimating();
    EXPECT_FALSE(v.isHidden());
    EXPECT_TRUE(v.isAnimating());
    ASSERT_EQ(v.layer()->sublayers.size(), 2u);
    EXPECT_EQ(v.layer()->sublayers[0]->frame, cg::Rect(30, 5, 40, 40));
    EXPECT_EQ(v.layer()->sublayers[1]->frame, cg::Rect(40, 15, 20, 20));
    v.startAnimating();
    EXPECT_EQ(v.layer()->sublayers.size(), 2u);  // never piled up
    v.stopAnimating();
    EXPECT_TRUE(v.isHidden());
    EXPECT_FALSE(v.isAnimating());
    EXPECT_TRUE(v.layer()->sublayers.empty());
    EXPECT_FALSE(v.hasAnimation("animation.outer.rotation"));
    v.stopAnimating();  // stopping a stopped indicator is harmless
}

TEST_F(ActivityIndicatorTest, HiddenIndicatorRunsNoTimerAndResumesWhenShown) {
    appkit::AnimationClock::setDurationScale(1);
    QWidget window;
    window.resize(200, 200);
    auto* v = new KRActivityIndicatorView(cg::Rect(0, 0, 60, 60), std::nullopt, std::nullopt, std::nullopt,
                                          &window);
    window.show();
    v->startAnimating();
    EXPECT_EQ(runningTimers(*v), 4);  // pulse and turn of two rings
    wait(300);
    const auto& outer = *v->layer()->sublayers[0];
    const auto& inner = *v->layer()->sublayers[1];
    EXPECT_LT(outer.presented(appkit::KeyPath::scale), 0.95);
    EXPECT_GT(outer.presented(appkit::KeyPath::rotation), 0.1);
    EXPECT_LT(inner.presented(appkit::KeyPath::rotation), -0.1);  // the other way round
    window.hide();
    EXPECT_EQ(runningTimers(*v), 0);
    window.show();
    EXPECT_EQ(runningTimers(*v), 4);
    v->stopAnimating();
    EXPECT_EQ(runningTimers(*v), 0);
    v->startAnimating();
    v->setHidden(true);
    EXPECT_EQ(runningTimers(*v), 0);
    delete v;  // released while running: nothing is left behind
    EXPECT_TRUE(window.findChildren<QVariantAnimation*>().empty());
    appkit::AnimationClock::setDurationScale(0);
}

TEST_F(ActivityIndicatorTest, RunningRingsShowInTheirColourAndVanishOnStop) {
    const cg::Color orange{1, 0.5, 0, 1};
    KRActivityIndicatorView v(cg::Rect(0, 0, 60, 60), std::nullopt, orange, std::nullopt, nullptr);
    v.startAnimating();
    EXPECT_GT(controlstest::countPixelsNear(controlstest::grabImage(v), orange), 40);
    v.stopAnimating();
    v.setHidden(false);  // grab what is left on the view itself
    EXPECT_EQ(controlstest::countPixelsNear(controlstest::grabImage(v), orange), 0);
}

TEST(IndicatorAnimation, PulseAndTurnForeverInOppositeDirections) {
    using Anim = KRActivityIndicatorAnimationBallClipRotateMultiple;
    const auto forward = Anim::makeAnimation(appkit::TimingFunction::easeInEaseOut(), false, 1.0);
    EXPECT_EQ(forward.scale.keyPath, "transform.scale");
    EXPECT_EQ(forward.scale.keyTimes, (std::vector<double>{0, 0.5, 1}));
    EXPECT_EQ(forward.scale.values, (std::vector<double>{1, 0.6, 1}));
    EXPECT_EQ(forward.scale.duration, 1.0);
    EXPECT_EQ(forward.rotation.keyPath, "transform.rotation.z");
    EXPECT_EQ(forward.rotation.keyTimes, forward.scale.keyTimes);
    EXPECT_EQ(forward.rotation.values, (std::vector<double>{0, double(3.1415925f), double(6.283185f)}));
    EXPECT_GE(forward.rotation.repeatCount, double(std::numeric_limits<float>::max()));
    EXPECT_FALSE(forward.rotation.removedOnCompletion);
    EXPECT_FALSE(forward.scale.removedOnCompletion);
    const auto reverse = Anim::makeAnimation(appkit::TimingFunction::easeInEaseOut(), true, 1.0);
    EXPECT_EQ(reverse.rotation.values, (std::vector<double>{0, -double(3.1415925f), -double(6.283185f)}));
}

TEST(IndicatorShapes, ArcSweepsFollowThePlatformRule) {
    EXPECT_EQ(arcSweep(0, 360, false), 360);
    EXPECT_EQ(arcSweep(-30, -150, true), -120);
    EXPECT_EQ(arcSweep(135, 225, false), 90);
    EXPECT_EQ(arcSweep(-45, 45, true), -270);  // the large ring is open on the right only
    EXPECT_EQ(arcSweep(-135, -45, false), 90);
    EXPECT_EQ(arcSweep(-225, -315, true), -90);
    EXPECT_EQ(arcSweep(-45, -135, false), 270);
    EXPECT_EQ(arcSweep(360, 0, true), -360);

    appkit::BezierPath p;
    appendArc(p, {10, 10}, 10, 0, 90, false);
    const auto& last = p.elements().back();
    EXPECT_NEAR(last.points[2].x, 10, 1e-9);
    EXPECT_NEAR(last.points[2].y, 20, 1e-9);
}

TEST(IndicatorShapes, PaintAndGeometryPerKind) {
    const cg::Color c{0.2, 0.4, 0.6, 1};
    for (IndicatorShape kind : {IndicatorShape::disc, IndicatorShape::circleSegment,
                                IndicatorShape::rectangle, IndicatorShape::triangle, IndicatorShape::pill}) {
        const auto layer = indicatorshape::makeLayer(c, kind, 40, 20);
        EXPECT_EQ(layer->fillColor, c);
        EXPECT_FALSE(layer->strokeColor);
        EXPECT_EQ(layer->lineWidth, 1);
        EXPECT_EQ(layer->frame, cg::Rect(0, 0, 40, 20));
        EXPECT_FALSE(layer->path.isEmpty());
    }
    for (IndicatorShape kind : {IndicatorShape::ring, IndicatorShape::ringTwoArcsVertical,
                                IndicatorShape::ringTwoArcsHorizontal, IndicatorShape::ringThreeQuarters}) {
        const auto layer = indicatorshape::makeLayer(c, kind, 40, 40);
        EXPECT_FALSE(layer->fillColor);
        EXPECT_EQ(layer->strokeColor, c);
        EXPECT_EQ(layer->lineWidth, 2);
    }
    EXPECT_EQ(indicatorshape::makeLayer(c, IndicatorShape::strokedDisc, 40, 40)->lineWidth, 20);

    // The rectangle is left open; the triangle's apex sits a quarter below the middle.
    const auto rectangle = indicatorshape::path(IndicatorShape::rectangle, 40, 20);
    EXPECT_EQ(rectangle.elementCount(), 4);
    const auto triangle = indicatorshape::path(IndicatorShape::triangle, 40, 20);
    EXPECT_EQ(triangle.element(1).points[0], (cg::Point{20, 5}));
    EXPECT_EQ(triangle.elements().back().type, appkit::BezierPath::ElementType::ClosePath);
    // The vertical two-arc ring: two quarter arcs, bottom and top, joined by a move.
    const auto vertical = indicatorshape::path(IndicatorShape::ringTwoArcsVertical, 40, 40);
    int moves = 0;
    for (const auto& e : vertical.elements()) moves += e.type == appkit::BezierPath::ElementType::MoveTo;
    EXPECT_EQ(moves, 2);
    EXPECT_NEAR(vertical.elements().back().points[2].x, 20 + 20 * std::cos(-315 * M_PI / 180), 1e-9);
    EXPECT_NEAR(vertical.elements().back().points[2].y, 20 + 20 * std::sin(-315 * M_PI / 180), 1e-9);
}

}  // namespace
