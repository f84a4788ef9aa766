#include "Controls/InterfaceStyle.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "ControlsTestSupport.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Support/TempDir.h"

using namespace controls;

namespace {

class InterfaceStyleTest : public controlstest::ControlsTest {};

TEST_F(InterfaceStyleTest, RawValuesAreExactAndCaseSensitive) {
    EXPECT_EQ(interfacestyle::rawValue(InterfaceStyle::Dark), "Dark");
    EXPECT_EQ(interfacestyle::rawValue(InterfaceStyle::Light), "Light");
    EXPECT_EQ(interfacestyle::fromRawValue("Dark"), InterfaceStyle::Dark);
    EXPECT_EQ(interfacestyle::fromRawValue("Light"), InterfaceStyle::Light);
    EXPECT_EQ(interfacestyle::fromRawValue("dark"), std::nullopt);
    EXPECT_EQ(interfacestyle::fromRawValue(""), std::nullopt);
}

TEST_F(InterfaceStyleTest, FollowsTheDesktopUnlessTheSettingsPinIt) {
    auto& appearance = SystemAppearance::instance();
    appearance.overrideDesktopIsDark(false);
    EXPECT_EQ(interfacestyle::current(), InterfaceStyle::Light);
    appearance.overrideDesktopIsDark(true);
    EXPECT_EQ(interfacestyle::current(), InterfaceStyle::Dark);

    testsupport::TempDir dir;
    foundation::UserDefaults settings(dir.path() / "settings.json");
    EXPECT_EQ(interfacestyle::current(settings), InterfaceStyle::Dark);
    settings.set(interfacestyle::settingsKey, foundation::PlistValue("Light"));
    EXPECT_EQ(interfacestyle::current(settings), InterfaceStyle::Light);
    appearance.overrideDesktopIsDark(false);
    settings.set(interfacestyle::settingsKey, foundation::PlistValue("Dark"));
    EXPECT_EQ(interfacestyle::current(settings), InterfaceStyle::Dark);
    settings.set(interfacestyle::settingsKey, foundation::PlistValue("dark"));
    EXPECT_EQ(interfacestyle::current(settings), InterfaceStyle::Light);
    settings.removeObject(interfacestyle::settingsKey);
    EXPECT_EQ(interfacestyle::current(settings), InterfaceStyle::Light);
}

TEST_F(InterfaceStyleTest, DefaultTextColourFollowsTheCurrentStyle) {
    auto& appearance = SystemAppearance::instance();
    appearance.overrideDesktopIsDark(false);
    const cg::Color onLight = interfacestyle::defaultTextColor();
    appearance.overrideDesktopIsDark(true);
    const cg::Color onDark = interfacestyle::defaultTextColor();
    EXPECT_EQ(onLight, SystemAppearance::labelColor(InterfaceStyle::Light));
    EXPECT_EQ(onDark, SystemAppearance::labelColor(InterfaceStyle::Dark));
    EXPECT_LT(onLight.red + onLight.green + onLight.blue, 0.1) << "dark text on a light desktop";
    EXPECT_GT(onDark.red + onDark.green + onDark.blue, 2.9) << "light text on a dark desktop";
}

TEST_F(InterfaceStyleTest, DesktopChangesAreAnnounced) {
    QSignalSpy spy(&SystemAppearance::instance(), &SystemAppearance::changed);
    SystemAppearance::instance().overrideDesktopIsDark(true);
    EXPECT_EQ(spy.count(), 1);
    QEvent paletteChange(QEvent::ApplicationPaletteChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &paletteChange);
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(InterfaceStyleTest, AccentSwitchIsSharedByEveryView) {
    appkit::View a, b;
    EXPECT_FALSE(view::colorAccent(b));
    view::setColorAccent(a, true);
    EXPECT_TRUE(view::colorAccent(b));
    EXPECT_FALSE(a.wantsLayer());  // a view without a layer only flips the switch

    b.setWantsLayer(true);
    view::setColorAccent(b, true);
    EXPECT_EQ(view::background(b), controlstest::kAccent);
    view::setColorAccent(b, false);
    EXPECT_EQ(view::background(b), controlstest::kAccent);  // switching off repaints nothing

    appkit::View c;
    c.setWantsLayer(true);
    SystemAppearance::instance().setAccentColorsAvailable(false);
    view::setColorAccent(c, true);
    EXPECT_TRUE(view::colorAccent(a));
    EXPECT_EQ(view::background(c), cg::Color::clear());
}

TEST_F(InterfaceStyleTest, BackgroundAndAlphaRoundTrip) {
    appkit::View v;
    EXPECT_EQ(view::background(v), cg::Color::clear());
    EXPECT_FALSE(v.wantsLayer());  // reading never makes a layer
    const cg::Color teal{0.1, 0.6, 0.6, 1};
    view::setBackground(v, teal);
    EXPECT_TRUE(v.wantsLayer());
    EXPECT_EQ(view::background(v), teal);
    view::setBackground(v, std::nullopt);
    EXPECT_EQ(view::background(v), cg::Color::clear());
    view::setAlpha(v, 0.5);
    EXPECT_DOUBLE_EQ(v.alphaValue(), 0.5);
    EXPECT_DOUBLE_EQ(view::alpha(v), 0.5);
}

}  // namespace
