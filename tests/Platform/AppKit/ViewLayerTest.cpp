#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <QPushButton>

#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/AppKit/Layered.h"
#include "Platform/AppKit/View.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

class ViewLayerTest : public testsupport::UiTest {
  protected:
    // A white flipped backdrop holding one styled view at (20, 20).
    struct Backdrop : View {
        bool isFlipped() const override { return true; }
    };
    void SetUp() override {
        UiTest::SetUp();
        backdrop.resize(120, 100);
        backdrop.setWantsLayer(true);
        backdrop.layer()->backgroundColor = cg::Color::whiteColor();
        backdrop.layerDidChange();
        styled = new View;
        backdrop.addSubview(styled);
        styled->setFrame(cg::Rect(20, 20, 60, 40));
        backdrop.show();
    }
    QColor pixel(int x, int y) {
        drain();
        return backdrop.grab().toImage().pixelColor(x, y);
    }
    static bool near(QColor a, QColor b, int tolerance = 40) {
        return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
               std::abs(a.blue() - b.blue()) <= tolerance;
    }

    Backdrop backdrop;
    View* styled = nullptr;
};

TEST_F(ViewLayerTest, CornerRadiusClipsAndBorderIsPaintedInside) {
    styled->setWantsLayer(true);
    Layer* layer = styled->layer();
    layer->backgroundColor = cg::Color{1, 0, 0, 1};
    layer->cornerRadius = 12;
    layer->masksToBounds = true;
    layer->borderWidth = 4;
    layer->borderColor = cg::Color{0, 0, 1, 1};
    styled->layerDidChange();

    EXPECT_TRUE(near(pixel(21, 21), Qt::white)) << "the rounded corner shows the backdrop";
    EXPECT_TRUE(near(pixel(22, 50), Qt::blue)) << "left border";
    EXPECT_TRUE(near(pixel(50, 58), Qt::blue)) << "bottom border";
    EXPECT_TRUE(near(pixel(50, 40), Qt::red)) << "inside";
    EXPECT_TRUE(near(pixel(85, 40), Qt::white)) << "outside";

    // A child view is clipped to the rounded bounds too.
    auto* child = new View;
    styled->addSubview(child);
    child->setGeometry(0, 0, 60, 40);
    child->setWantsLayer(true);
    child->layer()->backgroundColor = cg::Color{0, 1, 0, 1};
    child->layerDidChange();
    EXPECT_TRUE(near(pixel(21, 21), Qt::white));
    EXPECT_TRUE(near(pixel(50, 40), Qt::green));
}

TEST_F(ViewLayerTest, ShadowFallsOutsideUnlessTheLayerClips) {
    styled->setWantsLayer(true);
    Layer* layer = styled->layer();
    layer->backgroundColor = cg::Color{1, 0, 0, 1};
    layer->shadowOpacity = 1;
    layer->shadowRadius = 0;
    layer->shadowOffset = {4, -4};  // right and down
    styled->layerDidChange();
    EXPECT_TRUE(near(pixel(82, 62), Qt::black)) << "shadow below right";
    EXPECT_TRUE(near(pixel(18, 18), Qt::white)) << "no shadow above left";

    layer->masksToBounds = true;
    styled->layerDidChange();
    EXPECT_TRUE(near(pixel(82, 62), Qt::white));
}

TEST_F(ViewLayerTest, GradientSublayerAndAlphaValue) {
    styled->setWantsLayer(true);
    auto gradient = std::make_shared<Layer>(Layer::Kind::Gradient);
    gradient->colors = {cg::Color{1, 0, 0, 1}, cg::Color{1, 1, 0, 1}};
    gradient->startPoint = {0, 0.5};
    gradient->endPoint = {1, 0.5};
    gradient->frame = cg::Rect(0, 0, 60, 40);
    gradient->autoresizingMask = 18;
    styled->layer()->addSublayer(gradient);
    styled->layerDidChange();
    EXPECT_TRUE(near(pixel(21, 40), Qt::red));
    EXPECT_TRUE(near(pixel(78, 40), Qt::yellow));

    styled->resize(80, 40);
    EXPECT_EQ(gradient->frame.size, (cg::Size{80, 40}));

    // A view built hidden at its designed size keeps what was placed in it when it first shows.
    View built;
    built.resize(110, 110);
    auto fill = std::make_shared<Layer>(Layer::Kind::Gradient);
    fill->frame = cg::Rect(0, 0, 110, 110);
    fill->autoresizingMask = 18;
    built.setWantsLayer(true);
    built.layer()->addSublayer(fill);
    built.show();
    drain();
    EXPECT_EQ(fill->frame.size, (cg::Size{110, 110}));

    styled->setAlphaValue(0.5);
    const QColor half = pixel(21, 40);
    EXPECT_TRUE(near(half, QColor(255, 128, 128), 20)) << half.name().toStdString();
    styled->setAlphaValue(1);
    EXPECT_TRUE(near(pixel(21, 40), Qt::red));
}

TEST_F(ViewLayerTest, AnyWidgetCanCarryALayer) {
    auto* button = new Layered<QPushButton>("Go");
    backdrop.addSubview(button);
    button->setGeometry(20, 20, 60, 40);
    button->setFlat(true);
    ASSERT_EQ(LayerHost::of(button), button);
    QWidget plain;
    EXPECT_EQ(LayerHost::of(&plain), nullptr);
    button->setWantsLayer(true);
    button->layer()->backgroundColor = cg::Color{1, 0, 0, 1};
    button->layer()->cornerRadius = 12;
    button->layer()->masksToBounds = true;
    button->layerDidChange();
    animator(*button).setBorderColor(cg::Color{0, 0, 1, 1});
    animator(*button).setBorderWidth(4);
    EXPECT_TRUE(near(pixel(21, 21), Qt::white)) << "rounded corner";
    EXPECT_TRUE(near(pixel(22, 50), Qt::blue)) << "border";
    EXPECT_TRUE(near(pixel(30, 30), Qt::red)) << "background under the title";
}

TEST_F(ViewLayerTest, FramesAreYUpInPlainViewsAndFollowTheirMasks) {
    View parent;
    parent.resize(200, 100);
    parent.show();
    auto* bottom = new View;
    auto* sizable = new View;
    parent.addSubview(bottom);
    parent.addSubview(sizable);
    bottom->setFrame(cg::Rect(10, 20, 50, 30));
    EXPECT_EQ(bottom->geometry(), QRect(10, 50, 50, 30));
    EXPECT_EQ(bottom->frame(), cg::Rect(10, 20, 50, 30));
    sizable->setFrame(cg::Rect(0, 0, 200, 100));
    sizable->setAutoresizingMask(Autoresizing::WidthSizable | Autoresizing::HeightSizable);

    parent.resize(300, 150);
    drain();
    EXPECT_EQ(bottom->frame(), cg::Rect(10, 20, 50, 30)) << "keeps its distance from the bottom";
    EXPECT_EQ(bottom->geometry(), QRect(10, 100, 50, 30));
    EXPECT_EQ(sizable->frame(), cg::Rect(0, 0, 300, 150));

    ViewLayerTest::Backdrop flipped;
    flipped.resize(200, 100);
    auto* top = new View;
    flipped.addSubview(top);
    top->setFrame(cg::Rect(10, 20, 50, 30));
    EXPECT_EQ(top->geometry(), QRect(10, 20, 50, 30));

    // On screen, y runs up from the bottom of the primary screen.
    parent.move(100, 100);
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    const QPoint topLeft = bottom->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(View::frameOnScreen(bottom), cg::Rect(topLeft.x(), screenHeight - topLeft.y() - 30, 50, 30));
}

TEST_F(ViewLayerTest, SubviewsKeepTheirOrderTagsAndHiddenState) {
    View parent;
    auto* a = new View;
    auto* b = new View;
    auto* c = new View;
    parent.addSubview(a);
    parent.addSubview(b);
    parent.insertSubview(c, 0);
    const auto stacking = parent.children();  // Qt's own order, bottom to top
    EXPECT_LT(stacking.indexOf(c), stacking.indexOf(a)) << "inserted first, drawn below the others";
    a->raise();
    c->lower();
    EXPECT_EQ(parent.subviews(), (std::vector<QWidget*>{c, a, b}));

    b->setTag(3);
    auto* inner = new QWidget;
    View::setTagOf(inner, 7);
    b->addSubview(inner);
    EXPECT_EQ(parent.viewWithTag(3), b);
    EXPECT_EQ(parent.viewWithTag(7), inner);
    EXPECT_EQ(parent.viewWithTag(9), nullptr);
    View::setAccessibilityValueOf(inner, QVariantList{4, 1});
    b->setAccessibilityValue(QString("grid"));
    EXPECT_EQ(View::accessibilityValueOf(inner), (QVariantList{4, 1}));
    EXPECT_EQ(View::accessibilityValueOf(b), QString("grid"));

    parent.show();
    a->hide();
    View::removeFromSuperview(a);
    View::removeFromSuperview(b);
    EXPECT_EQ(parent.subviews(), (std::vector<QWidget*>{c}));
    parent.addSubview(a);
    parent.addSubview(b);
    EXPECT_FALSE(a->isVisible()) << "a view hidden before removal stays hidden";
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(parent.subviews(), (std::vector<QWidget*>{c, a, b}));
    delete b;
    EXPECT_EQ(parent.subviews(), (std::vector<QWidget*>{c, a}));
    delete a;  // not owned by anyone after the test otherwise
}

}  // namespace
