#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Controls/GeometryFunctions.h"
#include "Controls/SplitViewItem.h"
#include "Controls/SplitViewLiteDivider.h"
#include "Controls/ToggleButton.h"
#include "Controls/TokenField.h"
#include "ControlsTestSupport.h"

using namespace controls;

namespace {

class SmallControlsTest : public controlstest::ControlsTest {};

// A 20 x 10 arrow image with a red mark at the top middle.
std::shared_ptr<ButtonImage> markedImage() {
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(Qt::white);
    for (int x = 8; x < 12; ++x) image.setPixelColor(x, 0, Qt::red);
    return ButtonImage::make(image);
}

// Where the red mark is: 't', 'r', 'b' or 'l'.
char markSide(const QImage& image) {
    int sx = 0, sy = 0, n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 80)
                sx += x, sy += y, ++n;
    if (n == 0) return '?';
    const double cx = double(sx) / n / image.width(), cy = double(sy) / n / image.height();
    if (cy < 0.25) return 't';
    if (cy > 0.75) return 'b';
    return cx > 0.5 ? 'r' : 'l';
}

TEST_F(SmallControlsTest, ToggleButtonTurnsAQuarterPerClickAndComesBack) {
    ToggleButton b;
    b.resize(40, 40);
    b.setButtonType(ButtonBase::ButtonType::PushOnPushOff);
    b.setImage(markedImage());
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(b.state(), ButtonBase::StateValue::On);
    EXPECT_EQ(markSide(b.image()->pixels), 'r');  // 270 degrees counter-clockwise
    EXPECT_TRUE(b.image()->isTemplate);
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(b.state(), ButtonBase::StateValue::Off);
    EXPECT_EQ(markSide(b.image()->pixels), 't');
    EXPECT_EQ(b.image()->pixels.size(), QSize(20, 10));

    ToggleButton mixed;
    mixed.resize(40, 40);
    mixed.setButtonType(ButtonBase::ButtonType::PushOnPushOff);
    mixed.setAllowsMixedState(true);
    mixed.setImage(markedImage());
    QTest::mouseClick(&mixed, Qt::LeftButton);
    EXPECT_EQ(mixed.state(), ButtonBase::StateValue::Mixed);
    EXPECT_EQ(markSide(mixed.image()->pixels), 'r');

    ToggleButton momentary;
    momentary.resize(40, 40);
    momentary.setImage(markedImage());
    QTest::mouseClick(&momentary, Qt::LeftButton);
    EXPECT_EQ(markSide(momentary.image()->pixels), 'l');  // 90 degrees each time
    QTest::mouseClick(&momentary, Qt::LeftButton);
    EXPECT_EQ(markSide(momentary.image()->pixels), 'b');

    // A press released outside changes no state, yet the image still turns (off: 90 degrees).
    ToggleButton outside;
    outside.resize(40, 40);
    outside.setButtonType(ButtonBase::ButtonType::PushOnPushOff);
    outside.setImage(markedImage());
    QTest::mousePress(&outside, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&outside, Qt::LeftButton, {}, QPoint(80, 80));
    EXPECT_EQ(outside.state(), ButtonBase::StateValue::Off);
    EXPECT_EQ(markSide(outside.image()->pixels), 'l');

    ToggleButton bare;  // no image: the click still works
    bare.resize(40, 40);
    QTest::mouseClick(&bare, Qt::LeftButton);
    EXPECT_EQ(bare.image(), nullptr);
}

TEST_F(SmallControlsTest, TokenFieldSendsItsActionOnEveryClickAndCountsTokens) {
    TokenField field;
    int clicks = 0;
    field.setAction([&](TokenField&) { ++clicks; });
    const QString tokens = QString(3, QChar(TokenField::tokenCharacter)) + "abc";
    field.setText(tokens);
    field.resize(200, 24);
    EXPECT_EQ(field.tokenCountBeforeCaret(), std::nullopt);  // not being edited
    EXPECT_EQ(field.selectionInfo(), (std::pair<int, bool>{0, false}));

    field.show();
    QApplication::setActiveWindow(&field);
    field.setFocus();
    if (!field.hasFocus()) GTEST_SKIP() << "no keyboard focus on this platform";
    QTest::mouseClick(&field, Qt::LeftButton, {}, QPoint(150, 12));
    EXPECT_EQ(clicks, 1);
    field.setCursorPosition(5);
    EXPECT_EQ(field.tokenCountBeforeCaret(), 3);
    EXPECT_EQ(field.selectionInfo(), (std::pair<int, bool>{0, false}));
    field.setCursorPosition(0);
    EXPECT_EQ(field.tokenCountBeforeCaret(), 0);
    field.setSelection(4, 2);
    EXPECT_EQ(field.selectionInfo(), (std::pair<int, bool>{4, true}));
    EXPECT_EQ(field.tokenCountBeforeCaret(), 3);
}

TEST_F(SmallControlsTest, SplitPanesTouch) {
    SplitViewLiteDivider split;
    auto* left = new QWidget;
    auto* right = new QWidget;
    split.addWidget(left);
    split.addWidget(right);
    split.resize(300, 100);
    split.show();
    EXPECT_EQ(right->geometry().left(), left->geometry().right() + 1);
    EXPECT_EQ(split.dividerThickness(), 0);
    EXPECT_EQ(split.dividerColor(), cg::Color::clear());
    SplitViewItem item;
    EXPECT_EQ(item.splitViewOrder, 0);
}

TEST(GeometryFunctions, CentringNegatingAndNearness) {
    EXPECT_EQ(rect::centered(cg::Rect(5, 5, 10, 4), {0, 0}), cg::Rect(-5, -2, 10, 4));
    EXPECT_EQ(point::negated({2, -3}), (cg::Point{-2, 3}));
    EXPECT_TRUE(point::isNearlyEqual({0, 0}, {0.0099, 0}));
    EXPECT_FALSE(point::isNearlyEqual({0, 0}, {0.01, 0}));
    EXPECT_FALSE(point::isNearlyEqual({0, 0}, {0, -0.02}));
}

}  // namespace
