#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "Controls/ButtonTextColor.h"
#include "Controls/CheckBox.h"
#include "Controls/PushButton.h"
#include "ControlsTestSupport.h"

using namespace controls;
using controlstest::kAccent;

namespace {

class CheckBoxAndSegmentTest : public controlstest::ControlsTest {};

// The centre of the drawn square, in the check box's own image.
QColor squareCentre(const CheckBox& box) {
    return box.image()->pixels.pixelColor(8, 3);
}

TEST_F(CheckBoxAndSegmentTest, CheckBoxTicksOnClickOnlyAndRedrawsItsSquareForTheStyle) {
    CheckBox box(QStringLiteral("Magic Crop"));
    box.resize(box.sizeHint());
    int actions = 0;
    box.setAction([&](ButtonBase&) { ++actions; });

    const QColor lightEmpty = squareCentre(box);
    EXPECT_FALSE(box.isChecked());
    EXPECT_GT(lightEmpty.lightness(), 200) << "an empty box is white on a light desktop";

    // A set state is shown but sends nothing; a click ticks and sends once; a second click unticks.
    box.setChecked(true);
    EXPECT_TRUE(box.isChecked());
    EXPECT_TRUE(controlstest::near(squareCentre(box), kAccent, 12))
        << "a ticked box is filled with the accent";
    EXPECT_EQ(actions, 0);
    box.setChecked(false);
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(controlstest::near(squareCentre(box), kAccent, 12));
    QTest::mouseClick(&box, Qt::LeftButton);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(actions, 2);

    // The empty square follows the desktop into the dark and back, without a click.
    SystemAppearance::instance().overrideDesktopIsDark(true);
    QCoreApplication::processEvents();
    EXPECT_LT(squareCentre(box).lightness(), 80) << "an empty box is dark on a dark desktop";
    SystemAppearance::instance().overrideDesktopIsDark(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(squareCentre(box), lightEmpty);
}

TEST_F(CheckBoxAndSegmentTest, ChosenSegmentKeepsItsWhiteTitleUnderThePointerAndAfterIt) {
    for (const bool dark : {false, true}) {
        SCOPED_TRACE(dark ? "dark" : "light");
        SystemAppearance::instance().overrideDesktopIsDark(dark);
        PushButton segment(QStringLiteral(".png"), PushButton::Role::Segment);
        segment.resize(segment.sizeHint());
        const cg::Color label = SystemAppearance::labelColor(interfacestyle::current());
        EXPECT_TRUE(controlstest::colourNear(button::textColor(segment), label, 1e-6));

        segment.setChecked(true);
        for (int pass = 0; pass < 2; ++pass) {
            controlstest::enter(segment);
            EXPECT_TRUE(controlstest::colourNear(button::textColor(segment), cg::Color::whiteColor(), 1e-6));
            controlstest::leave(segment);
            EXPECT_TRUE(controlstest::colourNear(button::textColor(segment), cg::Color::whiteColor(), 1e-6));
        }
        segment.setChecked(false);
        EXPECT_TRUE(controlstest::colourNear(button::textColor(segment), label, 1e-6));
    }
}

TEST_F(CheckBoxAndSegmentTest, FocusRingShowsOnlyForFocusAKeyBrought) {
    const struct {
        Qt::FocusReason reason;
        bool ring;
    } cases[] = {{Qt::TabFocusReason, true},
                 {Qt::BacktabFocusReason, true},
                 {Qt::ActiveWindowFocusReason, false},
                 {Qt::OtherFocusReason, false},
                 {Qt::MouseFocusReason, false}};
    QWidget window;
    auto* button = new PushButton(QStringLiteral("Choose Size…"), PushButton::Role::Secondary, &window);
    window.show();
    QApplication::setActiveWindow(&window);
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.reason));
        button->clearFocus();
        button->setFocus(c.reason);
        QCoreApplication::processEvents();
        if (!button->hasFocus()) GTEST_SKIP() << "no keyboard focus on this platform";
        EXPECT_EQ(button->layer()->borderWidth, c.ring ? 2 : 1);
    }
}

}  // namespace
