#include "Controls/PopUpButton.h"

#include <gtest/gtest.h>

#include "Controls/ButtonTextColor.h"
#include "ControlsTestSupport.h"
#include "Extensions/AppKit/ViewHelpers.h"

using namespace controls;
using controlstest::colourNear;
using controlstest::enter;
using controlstest::kAccent;
using controlstest::leave;
using controlstest::rgb;

namespace {

class PopUpButtonTest : public controlstest::ControlsTest {};

const cg::Color kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1}, kTan{0.8, 0.7, 0.5, 1};

void design(PopUpButton& p) {
    p.resize(140, 28);
    p.addItems({"JPEG", "PNG", "TIFF"});
}

TEST_F(PopUpButtonTest, AwakeSetsTheBezelFromTheBackgroundAndAlwaysTracks) {
    PopUpButton backed;
    design(backed);
    view::setBackground(backed, kTan);
    backed.setMomentaryChange(false);
    backed.awakeFromNib();
    EXPECT_FALSE(backed.isBordered());
    EXPECT_EQ(backed.bezelStyle(), 11);
    EXPECT_EQ(backed.bgColorBack(), kTan);
    EXPECT_EQ(backed.trackingRectCount(), 1);

    PopUpButton plain;
    design(plain);
    plain.awakeFromNib();
    EXPECT_TRUE(plain.isBordered());
    EXPECT_TRUE(plain.showsBorderOnlyWhileMouseInside());
    EXPECT_EQ(plain.fontColor(), cg::Color::black());
}

TEST_F(PopUpButtonTest, TitleKeepsItsColourUntilTheFirstExitThenRestsBlack) {
    PopUpButton p;
    design(p);
    button::setTextColor(p, kRed);
    p.awakeFromNib();
    EXPECT_EQ(button::textColor(p), kRed);  // no hover pass in awake
    enter(p);
    EXPECT_EQ(button::textColor(p), kRed);
    leave(p);
    EXPECT_EQ(button::textColor(p), cg::Color::black());

    // On a dark desktop an unset resting colour is the light label colour, never black on dark.
    SystemAppearance::instance().overrideDesktopIsDark(true);
    enter(p);
    leave(p);
    EXPECT_GT(button::textColor(p).red, 0.9);
}

TEST_F(PopUpButtonTest, AccentColoursPerBackgroundAndStyle) {
    turnAccentOn();
    PopUpButton plain;
    design(plain);
    plain.awakeFromNib();
    EXPECT_EQ(plain.fontColor(), kAccent);
    EXPECT_EQ(plain.layer()->borderColor, kAccent);
    EXPECT_EQ(plain.borderColorBack(), kAccent);
    EXPECT_TRUE(colourNear(plain.borderHover(), rgb(-0.1, 0.38, 0.9)));
    leave(plain);
    EXPECT_EQ(button::textColor(plain), kAccent);
    SystemAppearance::instance().overrideDesktopIsDark(true);
    enter(plain);
    EXPECT_TRUE(colourNear(plain.borderHover(), rgb(0.4, 0.88, 1.0)));
    SystemAppearance::instance().overrideDesktopIsDark(false);

    PopUpButton backed;
    design(backed);
    view::setBackground(backed, kTan);
    backed.setFontHover(kRed);
    backed.awakeFromNib();
    EXPECT_TRUE(colourNear(*backed.layer()->borderColor, rgb(-0.1, 0.38, 0.9)));
    EXPECT_TRUE(colourNear(backed.borderHover(), rgb(-0.3, 0.18, 0.7)));
    EXPECT_TRUE(colourNear(backed.bgHover(), rgb(-0.1, 0.38, 0.9)));
    EXPECT_EQ(backed.bgColorBack(), kAccent);  // the resting background takes the accent
}

TEST_F(PopUpButtonTest, DisabledOnlyDimsAndOnStateKeepsHoverColours) {
    PopUpButton p;
    design(p);
    p.setBgHover(kBlue);
    p.awakeFromNib();
    p.setEnabled(false);
    enter(p);
    EXPECT_DOUBLE_EQ(p.alphaValue(), 0.5);
    EXPECT_NE(p.layer()->backgroundColor, kBlue);

    PopUpButton on;
    design(on);
    on.setBgHover(kBlue);
    on.setAlphaHover(0.9);
    on.setMomentaryChange(false);
    on.setState(ButtonBase::StateValue::On);
    on.awakeFromNib();
    enter(on);
    leave(on);
    EXPECT_EQ(on.layer()->backgroundColor, kBlue);
    EXPECT_DOUBLE_EQ(on.alphaValue(), 1.0);
    EXPECT_EQ(on.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(PopUpButtonTest, ChoosingAnItemSelectsItAndKeepsTheTitleColour) {
    PopUpButton p;
    design(p);
    EXPECT_EQ(p.title(), "JPEG");
    button::setTextColor(p, kRed);
    int chosen = -1;
    p.setItemAction([&](PopUpButtonBase& b) { chosen = b.indexOfSelectedItem(); });
    p.chooseItem(2);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(p.title(), "TIFF");
    EXPECT_EQ(button::textColor(p), kRed);
    p.chooseItem(7);
    EXPECT_EQ(p.title(), "TIFF");
}

}  // namespace
