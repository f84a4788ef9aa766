#include "Controls/AccentColors.h"

#include <gtest/gtest.h>

#include "ControlsTestSupport.h"

using namespace controls;
using controlstest::colourNear;
using controlstest::rgb;

namespace {

const cg::Color A{0, 0.48, 1, 1};

AccentInputs inputs(InterfaceStyle style, bool hasBackground) {
    AccentInputs in;
    in.style = style;
    in.accent = A;
    in.hasBackground = hasBackground;
    return in;
}

TEST(AccentColors, ShiftCapsAboveOnlyAndIsOpaque) {
    EXPECT_TRUE(colourNear(accentShifted(A, 0.4), rgb(0.4, 0.88, 1.0)));
    EXPECT_TRUE(colourNear(accentShifted(A, -0.3), rgb(-0.3, 0.18, 0.7)));
    EXPECT_TRUE(colourNear(accentShifted(A.withAlpha(0.2), 0.1), rgb(0.1, 0.58, 1.0)));
}

TEST(AccentColors, ButtonWithoutBackground) {
    AccentColors light = buttonAccentColors(inputs(InterfaceStyle::Light, false));
    EXPECT_EQ(light.fontHover, A);
    EXPECT_EQ(light.border, A);
    EXPECT_TRUE(colourNear(*light.borderHover, rgb(-0.1, 0.38, 0.9)));
    EXPECT_FALSE(light.fontColor);
    EXPECT_FALSE(light.bgHover);  // no hover background was set

    AccentColors dark = buttonAccentColors(inputs(InterfaceStyle::Dark, false));
    EXPECT_TRUE(colourNear(*dark.borderHover, rgb(0.4, 0.88, 1.0)));
}

TEST(AccentColors, ButtonWithBackground) {
    AccentInputs in = inputs(InterfaceStyle::Dark, true);
    AccentColors dark = buttonAccentColors(in);
    EXPECT_TRUE(colourNear(*dark.border, rgb(0.6, 1.0, 1.0)));
    EXPECT_TRUE(colourNear(*dark.borderHover, rgb(0.4, 0.88, 1.0)));
    EXPECT_TRUE(colourNear(*dark.bgHover, rgb(0.1, 0.58, 1.0)));

    in.fontHoverSet = true;
    EXPECT_FALSE(buttonAccentColors(in).bgHover);  // stays clear
    in.bgHoverSet = true;
    EXPECT_EQ(buttonAccentColors(in).bgHover, A);  // the accent itself

    AccentColors light = buttonAccentColors(inputs(InterfaceStyle::Light, true));
    EXPECT_TRUE(colourNear(*light.border, rgb(-0.1, 0.38, 0.9)));
    EXPECT_TRUE(colourNear(*light.borderHover, rgb(-0.3, 0.18, 0.7)));
}

TEST(AccentColors, RestingBackgroundTakesTheAccentUnlessForced) {
    AccentInputs in = inputs(InterfaceStyle::Light, true);
    in.bgColorBackSet = true;
    EXPECT_EQ(buttonAccentColors(in).bgColorBack, A);
    in.bgForcedSet = true;
    EXPECT_FALSE(buttonAccentColors(in).bgColorBack);
}

TEST(AccentColors, PopUpDiffersWhereItShould) {
    AccentColors plain = popUpAccentColors(inputs(InterfaceStyle::Light, false));
    EXPECT_EQ(plain.fontColor, A);
    EXPECT_FALSE(plain.fontHover);

    AccentInputs in = inputs(InterfaceStyle::Light, true);
    in.fontHoverSet = true;
    AccentColors backed = popUpAccentColors(in);
    EXPECT_TRUE(colourNear(*backed.bgHover, rgb(-0.1, 0.38, 0.9)));  // even with a hover title colour
    EXPECT_TRUE(colourNear(*backed.border, rgb(-0.1, 0.38, 0.9)));
    EXPECT_TRUE(colourNear(*backed.borderHover, rgb(-0.3, 0.18, 0.7)));
}

}  // namespace
