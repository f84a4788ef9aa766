#include <gtest/gtest.h>

#include "Controls/Button.h"
#include "Controls/ButtonAlpha.h"
#include "Controls/ButtonImg.h"
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

class ButtonTest : public controlstest::ControlsTest {};

const cg::Color kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1}, kGreen{0, 0.6, 0, 1}, kGrey{0.5, 0.5, 0.5, 1};

TEST_F(ButtonTest, TextColorReadsTheFirstCharacterAndRecoloursTheWholeTitle) {
    ButtonBase b;
    EXPECT_EQ(button::textColor(b), cg::Color::black());
    button::setTextColor(b, kRed);  // an empty title is left alone
    EXPECT_TRUE(b.title().isEmpty());

    QFont bold = b.font();
    bold.setBold(true);
    b.setAttributedTitle({{{"Sa", {bold, kRed}}, {"ve", {std::nullopt, kBlue}}}});
    EXPECT_EQ(button::textColor(b), kRed);
    button::setTextColor(b, kGreen);
    ASSERT_EQ(b.attributedTitle().runs.size(), 1u);
    EXPECT_EQ(b.attributedTitle().runs[0].text, "Save");
    EXPECT_EQ(b.attributedTitle().runs[0].attributes, (TitleAttributes{bold, kGreen}));

    b.setTitle("Plain");
    EXPECT_EQ(button::textColor(b), cg::Color::black());
    button::setFontBackground(b, 2);
    EXPECT_EQ(button::fontBackground(b), 2);
}

TEST_F(ButtonTest, BackgroundStylesChangeHowTheTitleIsDrawn) {
    // The number of light and dark pixels of a title drawn on a mid-grey background per style.
    const auto drawn = [](int style) {
        ButtonBase b;
        b.setBordered(false);
        b.setTitle("WWWW");
        b.resize(80, 30);
        button::setTextColor(b, cg::Color::black());
        button::setFontBackground(b, style);
        QImage shot(b.size(), QImage::Format_ARGB32);
        shot.fill(QColor(128, 128, 128));
        b.render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        std::pair<int, int> lightDark{0, 0};
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                const int l = QColor(shot.pixel(x, y)).lightness();
                lightDark.first += l > 180;
                lightDark.second += l < 70;
            }
        return lightDark;
    };
    const auto normal = drawn(0), emphasized = drawn(1), raised = drawn(2), lowered = drawn(3);
    ASSERT_GT(normal.second, 20) << "the title is drawn";
    EXPECT_EQ(normal.first, 0) << "a dark title on grey has no light pixels";
    EXPECT_GT(emphasized.first, 20) << "an emphasized title reads light";
    EXPECT_LT(emphasized.second, normal.second / 4);
    EXPECT_GT(raised.first, 5) << "a raised title has a light edge";
    EXPECT_EQ(lowered.first, 0);
    EXPECT_GT(lowered.second, normal.second) << "a lowered title has a dark edge";
}

TEST_F(ButtonTest, CellPaddingGrowsTheButtonAndInsetsTheTitle) {
    ButtonBase plain, padded;
    plain.setTitle("Choose");
    padded.setTitle("Choose");
    padded.setCell(std::make_unique<ButtonCell>());
    EXPECT_EQ(padded.sizeHint().height(), plain.sizeHint().height() + 24);
    EXPECT_EQ(padded.sizeHint().width(), plain.sizeHint().width()) << "padding never widens the button";
    const ButtonCell cell;
    EXPECT_EQ(cell.cellSizeForBounds({80, 20}), (cg::Size{80, 44}));
    EXPECT_EQ(cell.titleRectForBounds(cg::Rect(0, 0, 100, 40)), cg::Rect(14, 12, 72, 16));
}

TEST_F(ButtonTest, ButtonImgTintsAndMarksTheCurrentImage) {
    ButtonImg b;
    b.setIconTint(kRed);  // no image: nothing to tint
    QImage dot(8, 8, QImage::Format_ARGB32);
    dot.fill(Qt::transparent);
    dot.setPixelColor(4, 4, Qt::black);
    b.setImage(ButtonImage::make(dot));
    b.setIconTemplate(true);
    EXPECT_TRUE(b.image()->isTemplate);
    b.setIconTint(kRed);
    EXPECT_TRUE(controlstest::near(b.image()->pixels.pixelColor(4, 4), kRed, 2));
    EXPECT_EQ(b.image()->pixels.pixelColor(0, 0).alpha(), 0);
}

TEST_F(ButtonTest, ButtonAlphaRestsAtSevenTenthsAndBrightensUnderTheMouse) {
    ButtonAlpha b;
    b.setAlphaValue(0.3);
    b.awakeFromNib();
    EXPECT_DOUBLE_EQ(b.alphaValue(), 0.7);
    EXPECT_DOUBLE_EQ(b.alphaBack(), 0.7);
    enter(b);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 1.0);
    EXPECT_EQ(b.cursor().shape(), Qt::PointingHandCursor);
    leave(b);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 0.7);
    EXPECT_EQ(b.cursor().shape(), Qt::ArrowCursor);
    b.setEnabled(false);
    enter(b);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 0.5);

    ButtonAlpha still;
    still.setMomentaryChange(false);
    still.awakeFromNib();
    EXPECT_EQ(still.trackingRectCount(), 0);
    enter(still);
    EXPECT_DOUBLE_EQ(still.alphaValue(), 0.7);  // nothing tracks the mouse
}

// A button as a scene makes it: a title, a grey border, designed hover colours.
void design(Button& b) {
    b.resize(120, 32);
    b.setTitle("Export");
    view::setBorderWidth(b, 1);
    view::setBorderColor(b, kGrey);
}

TEST_F(ButtonTest, HoverShowsTheDesignedColoursAndRestRestoresThem) {
    Button b;
    design(b);
    b.setBgHover(kBlue);
    b.setBorderHover(kRed);
    b.setFontHover(cg::Color::whiteColor());
    b.setAlphaHover(0.8);
    b.awakeFromNib();
    EXPECT_EQ(b.borderColorBack(), kGrey);
    EXPECT_TRUE(b.showsBorderOnlyWhileMouseInside());

    enter(b);
    EXPECT_EQ(b.layer()->backgroundColor, kBlue);
    EXPECT_EQ(b.layer()->borderColor, kRed);
    EXPECT_EQ(button::textColor(b), cg::Color::whiteColor());
    EXPECT_DOUBLE_EQ(b.alphaValue(), 0.8);
    EXPECT_EQ(b.cursor().shape(), Qt::PointingHandCursor);
    leave(b);
    EXPECT_EQ(view::background(b), cg::Color::clear());
    EXPECT_EQ(b.layer()->borderColor, kGrey);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 1.0);
    EXPECT_EQ(b.cursor().shape(), Qt::ArrowCursor);

    Button steady;
    design(steady);
    steady.awakeFromNib();
    enter(steady);
    EXPECT_DOUBLE_EQ(steady.alphaValue(), 1.0);  // alphaHover -1 keeps the opacity
}

TEST_F(ButtonTest, ARestingPassBeforeAwakeDoesNotMakeTheButtonInvisible) {
    Button b;
    design(b);
    b.applyHover(false);  // as a stack view may do before the scene has finished
    EXPECT_DOUBLE_EQ(b.alphaValue(), 1.0);
}

TEST_F(ButtonTest, DisabledButtonOnlyDims) {
    Button b;
    design(b);
    b.setBgHover(kBlue);
    b.awakeFromNib();
    b.setEnabled(false);
    enter(b);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 0.5);
    EXPECT_NE(b.layer()->backgroundColor, kBlue);
    EXPECT_NE(b.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ButtonTest, AnOnButtonWithoutMomentaryChangeKeepsItsHoverLook) {
    Button b;
    design(b);
    b.setBgHover(kBlue);
    b.setMomentaryChange(false);
    b.setButtonType(ButtonBase::ButtonType::PushOnPushOff);
    b.setState(ButtonBase::StateValue::On);
    b.awakeFromNib();
    EXPECT_EQ(b.trackingRectCount(), 0);
    b.applyHover(true);
    b.applyHover(false);
    EXPECT_EQ(b.layer()->backgroundColor, kBlue);
    EXPECT_EQ(b.cursor().shape(), Qt::ArrowCursor);
    EXPECT_DOUBLE_EQ(b.alphaValue(), 1.0);
}

TEST_F(ButtonTest, UntitledColourNeverMakesTheTitleInvisible) {
    Button b;
    design(b);
    b.awakeFromNib();                                     // runs the resting pass with fontColor still clear
    EXPECT_NE(button::textColor(b), cg::Color::clear());  // never recoloured with the clear colour
    EXPECT_GT(b.effectiveTitleColor().alpha, 0.5);
    enter(b);
    leave(b);
    EXPECT_GT(b.effectiveTitleColor().alpha, 0.5);
    // On a dark desktop the same title turns light.
    SystemAppearance::instance().overrideDesktopIsDark(true);
    EXPECT_GT(b.effectiveTitleColor().red, 0.9);
    SystemAppearance::instance().overrideDesktopIsDark(false);
    EXPECT_LT(b.effectiveTitleColor().red, 0.1);

    // A title coloured by the scene keeps its colour at rest after the first hover.
    Button red;
    design(red);
    button::setTextColor(red, kRed);
    red.awakeFromNib();
    enter(red);
    leave(red);
    EXPECT_EQ(red.fontColor(), kRed);
    EXPECT_EQ(button::textColor(red), kRed);
}

TEST_F(ButtonTest, AccentOffUsesExactlyTheDesignedColours) {
    Button b;
    design(b);
    b.setBgHover(kBlue);
    b.awakeFromNib();
    enter(b);
    EXPECT_EQ(b.bgHover(), kBlue);
    EXPECT_EQ(b.layer()->borderColor, kGrey);
    EXPECT_EQ(b.fontHover(), cg::Color::clear());
}

TEST_F(ButtonTest, AccentColoursWithoutBackgroundPerStyle) {
    turnAccentOn();
    Button b;
    design(b);
    b.awakeFromNib();
    EXPECT_EQ(b.layer()->borderColor, kAccent);
    EXPECT_EQ(b.borderColorBack(), kAccent);
    EXPECT_EQ(b.fontHover(), kAccent);
    EXPECT_TRUE(colourNear(b.borderHover(), rgb(-0.1, 0.38, 0.9)));
    EXPECT_EQ(b.interfaceStyle(), InterfaceStyle::Light);

    // The desktop turns dark: the button restyles without waiting for the mouse.
    SystemAppearance::instance().overrideDesktopIsDark(true);
    EXPECT_EQ(b.interfaceStyle(), InterfaceStyle::Dark);
    EXPECT_TRUE(colourNear(b.borderHover(), rgb(0.4, 0.88, 1.0)));
    enter(b);
    EXPECT_TRUE(colourNear(*b.layer()->borderColor, rgb(0.4, 0.88, 1.0)));
    EXPECT_EQ(button::textColor(b), kAccent);
}

TEST_F(ButtonTest, AccentColoursWithBackgroundKeepAForcedRestingBackground) {
    turnAccentOn();
    SystemAppearance::instance().overrideDesktopIsDark(true);
    Button b;
    design(b);
    b.setBgForced(kGreen);
    b.awakeFromNib();
    EXPECT_EQ(view::background(b), kGreen);
    enter(b);  // the layer now has a background: the derivation with background applies
    EXPECT_TRUE(colourNear(b.borderHover(), rgb(0.4, 0.88, 1.0)));
    // The first pass (no background yet) set the hover title, so no hover background is derived.
    EXPECT_EQ(b.fontHover(), kAccent);
    EXPECT_EQ(b.bgHover(), cg::Color::clear());
    leave(b);
    EXPECT_EQ(view::background(b), kGreen);
    EXPECT_TRUE(colourNear(*b.layer()->borderColor, rgb(0.6, 1.0, 1.0)));
}

TEST_F(ButtonTest, RenewedTrackingStillReportsEachCrossingOnce) {
    Button b;
    design(b);
    b.setTrackingUpdate(true);
    b.setTag(7);
    b.awakeFromNib();
    mainQueue->advance(5);
    b.viewDidEndLiveResize();
    b.viewDidEndLiveResize();
    EXPECT_EQ(b.trackingRectCount(), 1);
    int entries = 0;
    struct Counting : Button {
        int* n;
        explicit Counting(int* n) : n(n) {}
        void mouseEntered() override { ++*n; }
    } counting(&entries);
    counting.setTrackingUpdate(true);
    counting.awakeFromNib();
    mainQueue->advance(5);
    counting.viewDidEndLiveResize();
    enter(counting);
    EXPECT_EQ(entries, 1);
}

TEST_F(ButtonTest, GrabbedButtonShowsItsGradientAndRoundedCorners) {
    Button b;
    b.resize(100, 40);
    b.setBordered(false);
    b.setStartPoint({0.5, 0});
    b.setEndPoint({0.5, 1});
    b.setTopColor(kBlue);
    b.setBottomColor(kGreen);
    view::setCornerRadius(b, 12);
    b.setGradientOn(true);
    mainQueue->advance(0.1);
    const QImage image = controlstest::grabImage(b);
    EXPECT_TRUE(controlstest::near(image.pixelColor(50, 1), kBlue, 25));
    EXPECT_TRUE(controlstest::near(image.pixelColor(50, 38), kGreen, 25));
    EXPECT_FALSE(controlstest::near(image.pixelColor(0, 0), kBlue, 60));
}

TEST_F(ButtonTest, DarkButtonLooksDifferentFromLightOne) {
    Button b;
    design(b);
    view::setBorderWidth(b, 0);
    b.setShowsBorderOnlyWhileMouseInside(false);
    const QImage light = controlstest::grabImage(b);
    SystemAppearance::instance().overrideDesktopIsDark(true);
    const QImage dark = controlstest::grabImage(b);
    EXPECT_NE(light, dark);
    // The face darkens and the title lightens.
    EXPECT_LT(dark.pixelColor(5, 16).lightness(), light.pixelColor(5, 16).lightness());
    EXPECT_GT(controlstest::countPixelsNear(dark, cg::Color::whiteColor(), 60), 5);
}

}  // namespace
