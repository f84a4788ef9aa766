#include <gtest/gtest.h>

#include "Controls/Box.h"
#include "Controls/BoxPattern.h"
#include "Controls/ViewGradient.h"
#include "ControlsTestSupport.h"
#include "Extensions/AppKit/ViewHelpers.h"

using namespace controls;

namespace {

class GradientShadowTest : public controlstest::ControlsTest {};

const cg::Color kRed{1, 0, 0, 1}, kYellow{1, 1, 0, 1};

const appkit::Layer* gradientOf(const appkit::View& v) {
    if (!v.layer() || v.layer()->sublayers.empty()) return nullptr;
    const auto& first = v.layer()->sublayers.front();
    return first->kind == appkit::Layer::Kind::Gradient ? first.get() : nullptr;
}

TEST_F(GradientShadowTest, GradientAppearsATenthOfASecondLaterAtTheBottomOfTheLayers) {
    ViewGradient v;
    v.resize(120, 40);
    v.setWantsLayer(true);
    v.layer()->addSublayer(std::make_shared<appkit::Layer>());
    view::setCornerRadius(v, 8);
    v.setGradientOn(true);
    mainQueue->advance(0.09);
    EXPECT_EQ(gradientOf(v), nullptr);
    mainQueue->advance(0.02);
    const appkit::Layer* g = gradientOf(v);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->frame, cg::Rect(0, 0, 120, 40));
    EXPECT_EQ(g->colors, (std::vector<cg::Color>{kRed, kYellow}));
    EXPECT_EQ(g->startPoint, (cg::Point{0, 0.5}));
    EXPECT_EQ(g->endPoint, (cg::Point{1, 0.5}));
    EXPECT_EQ(g->cornerRadius, 8);
    EXPECT_TRUE(g->masksToBounds);
    EXPECT_TRUE(v.layer()->masksToBounds);

    // Later colour changes wait for the next switch-on; switching off leaves the gradient.
    v.setTopColor(cg::Color{0, 0, 1, 1});
    mainQueue->advance(1);
    EXPECT_EQ(gradientOf(v)->colors.front(), kRed);
    v.setGradientOn(false);
    mainQueue->advance(1);
    ASSERT_NE(gradientOf(v), nullptr);
    v.setGradientOn(true);
    mainQueue->advance(0.1);
    EXPECT_EQ(gradientOf(v)->colors.front(), (cg::Color{0, 0, 1, 1}));
    EXPECT_EQ(v.layer()->sublayers.size(), 2u);  // reused, never duplicated

    v.show();  // a shown view hears of its size changes at once
    v.resize(200, 60);
    EXPECT_EQ(gradientOf(v)->frame, cg::Rect(0, 0, 200, 60));
}

TEST_F(GradientShadowTest, RedToYellowFromLeftToRightOnScreen) {
    ViewGradient v;
    v.resize(100, 30);
    v.setGradientOn(true);
    mainQueue->advance(0.1);
    const QImage image = controlstest::grabImage(v);
    EXPECT_TRUE(controlstest::near(image.pixelColor(1, 15), kRed, 20));
    EXPECT_TRUE(controlstest::near(image.pixelColor(98, 15), kYellow, 20));
}

TEST_F(GradientShadowTest, BoxGradientKeepsSquareCornersAndShadowDefaultsDifferPerClass) {
    Box box;
    box.resize(50, 50);
    view::setCornerRadius(box, 10);
    box.setGradientOn(true);
    box.setShadowOn(true);
    mainQueue->advance(0.1);
    EXPECT_EQ(gradientOf(box)->cornerRadius, 0);
    EXPECT_EQ(box.layer()->shadowOffset, (cg::Size{3, -3}));
    EXPECT_EQ(box.layer()->shadowOpacity, 1);
    EXPECT_EQ(box.layer()->shadowRadius, 1);
    EXPECT_EQ(box.layer()->shadowColor, cg::Color::black());

    ViewGradient v;
    v.setShadowOn(true);
    mainQueue->advance(0.1);
    EXPECT_EQ(v.layer()->shadowOffset, (cg::Size{1, 1}));
}

TEST_F(GradientShadowTest, TheRoutineThatRunsLastDecidesTheClipping) {
    ViewGradient first;
    first.setGradientOn(true);
    first.setShadowOn(true);
    mainQueue->advance(0.1);
    EXPECT_FALSE(first.layer()->masksToBounds);
    EXPECT_TRUE(first.layer()->showsShadow());

    ViewGradient second;
    second.setShadowOn(true);
    mainQueue->advance(0.05);
    second.setGradientOn(true);
    mainQueue->advance(0.1);
    EXPECT_TRUE(second.layer()->masksToBounds);
    EXPECT_FALSE(second.layer()->showsShadow());
}

TEST_F(GradientShadowTest, AViewGoneBeforeItsRefreshIsLeftAlone) {
    auto* v = new ViewGradient;
    v->setGradientOn(true);
    v->setShadowOn(true);
    delete v;
    EXPECT_NO_FATAL_FAILURE(mainQueue->advance(1));
}

TEST(BoxPatternText, EntriesSizesAndAngles) {
    EXPECT_EQ(BoxPattern::entries("a|b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(BoxPattern::entries("a"), (std::vector<std::string>{"a"}));
    const BoxPattern plain = BoxPattern::parse("leaf");
    EXPECT_EQ(plain.imageName, "leaf");
    EXPECT_FALSE(plain.size);
    EXPECT_FALSE(plain.degrees);
    EXPECT_EQ(BoxPattern::parse("leaf*32").size, 32);
    const BoxPattern turned = BoxPattern::parse("leaf*0*90");
    EXPECT_FALSE(turned.size);
    EXPECT_EQ(turned.degrees, 90);
    const BoxPattern junk = BoxPattern::parse("leaf*big*left*9");
    EXPECT_EQ(junk.imageName, "leaf");
    EXPECT_FALSE(junk.size);
    EXPECT_FALSE(junk.degrees);
    EXPECT_FALSE(BoxPattern::parse("leaf*-4").size);
}

TEST_F(GradientShadowTest, BoxFillsWithThePickedImageRedrawnAndTurned) {
    Box box;
    QImage wide(20, 10, QImage::Format_ARGB32);
    wide.fill(Qt::green);
    QImage other(4, 4, QImage::Format_ARGB32);
    other.fill(Qt::blue);
    box.setImageLookup([&](const std::string& name) -> std::optional<QImage> {
        if (name == "wide") return wide;
        if (name == "other") return other;
        return std::nullopt;
    });
    std::uint32_t pick = 0;
    box.setRandomPick([&](std::uint32_t count) {
        EXPECT_EQ(count, 2u);
        return pick;
    });
    box.setPatternImage("wide|other");
    EXPECT_EQ(box.fillPattern().size(), QSize(20, 10));
    pick = 1;
    box.setPatternImage("wide|other");
    EXPECT_EQ(box.fillPattern().size(), QSize(4, 4));

    box.setRandomPick([](std::uint32_t) { return 0u; });
    box.setPatternImage("wide*32");
    EXPECT_EQ(box.fillPattern().size(), QSize(32, 32));
    box.setPatternImage("wide*0*90");
    EXPECT_EQ(box.fillPattern().size(), QSize(10, 20));
    // An entry that names no image keeps the fill there is.
    box.setPatternImage("missing");
    EXPECT_EQ(box.fillPattern().size(), QSize(10, 20));
    EXPECT_EQ(box.patternImage(), "missing");

    box.resize(40, 40);
    EXPECT_TRUE(controlstest::near(controlstest::grabImage(box).pixelColor(5, 5), cg::Color{0, 1, 0, 1}, 10));
}

}  // namespace
