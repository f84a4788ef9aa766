#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QTest>

#include "App/AppDelegate.h"
#include "App/Appearance.h"
#include "App/DarkVC.h"
#include "App/VortaWindowController.h"
#include "App/WindowController.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Toolbar.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "ShellFixture.h"

namespace {

class MainWindowTest : public testsupport::ShellTest {
  protected:
    void resizeWindow(int width) {
        window().resize(width, 600);
        drain();
    }
    std::vector<std::string> toolbarItems() {
        std::vector<std::string> ids;
        for (const auto& item : window().toolbar()->items()) ids.push_back(item.itemIdentifier);
        return ids;
    }
    int activityItems() {
        const auto ids = toolbarItems();
        return static_cast<int>(std::count(ids.begin(), ids.end(), ids::activity));
    }
};

TEST_F(MainWindowTest, ActivityItemStaysOnlyWhileTheWindowIsWiderThan530) {
    start();  // a first run: the resizes are followed before any tab switcher exists
    ASSERT_NE(window().toolbar(), nullptr);
    resizeWindow(531);
    EXPECT_EQ(window().toolbar()->indexOfItem(ids::activity), 0);
    EXPECT_EQ(activityItems(), 1);
    resizeWindow(530);
    EXPECT_EQ(activityItems(), 0);
    EXPECT_EQ(window().toolbar()->indexOfItem(ids::activity), -1);
    resizeWindow(480);
    EXPECT_EQ(activityItems(), 0);
    resizeWindow(900);
    EXPECT_EQ(activityItems(), 1);
    EXPECT_EQ(window().toolbar()->indexOfItem(ids::activity), 0);
    ASSERT_TRUE(window().toolbar()->items()[0].view);
    EXPECT_TRUE(window().toolbar()->items()[0].view->isVisible());
    resizeWindow(1000);
    EXPECT_EQ(activityItems(), 1) << "widening again adds no second item";
}

TEST_F(MainWindowTest, EveryResizeOfTheMainWindowIsAnnounced) {
    int posts = 0;
    auto token = foundation::NotificationCenter::defaultCenter().addObserver(
        nullptr, onWindowResized, [&](const foundation::Notification&) { ++posts; });
    start();
    posts = 0;
    resizeWindow(700);
    resizeWindow(720);
    EXPECT_EQ(posts, 2);
}

TEST_F(MainWindowTest, SegmentClicksReachTheTabSwitcher) {
    // A tab whose screen is missing keeps the current tab: give the two tabs clicked a screen.
    for (const char* scene : {ids::scene::AdvancedMasterVC, ids::scene::RenameMasterVC})
        appkit::Storyboard::main().registerController(
            scene, [] { return std::make_shared<appkit::ViewController>(); });
    prepareSettings(
        [](foundation::UserDefaults& s) { s.set("isShowFirst", foundation::PlistValue(std::int64_t{1})); });
    start();
    ASSERT_NE(tabBar(), nullptr);
    auto buttons = app->mainWindowController()->segBtn->findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 4);
    QTest::mouseClick(buttons[2], Qt::LeftButton);
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 2);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
}

TEST_F(MainWindowTest, AScreenReaderFindsAFrameWithAToolBarAndTabsNamedByTheirScreens) {
    prepareSettings(
        [](foundation::UserDefaults& s) { s.set("isShowFirst", foundation::PlistValue(std::int64_t{1})); });
    start();
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->role(), QAccessible::Window) << "the main window is not a frame";
    ASSERT_NE(window().toolbar(), nullptr);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window().toolbar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::ToolBar);
    QAccessibleInterface* tabs =
        QAccessible::queryAccessibleInterface(app->mainWindowController()->segBtn.data());
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->role(), QAccessible::PageTabList);
    std::vector<std::string> names, selected;
    for (auto* button : app->mainWindowController()->segBtn->findChildren<QAbstractButton*>()) {
        QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(button);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab);
        EXPECT_TRUE(tab->state().selectable) << "a tab that cannot say it is the chosen one";
        names.push_back(tab->text(QAccessible::Name).toStdString());
        if (tab->state().selected) selected.push_back(names.back());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Presets", "Advanced", "Rename", "Bulk"}));
    EXPECT_EQ(selected, std::vector<std::string>{"Presets"}) << "the tab showing, and no other";

    // Pressed through the screen reader, "Advanced" shows that tab and is the one selected tab.
    auto buttons = app->mainWindowController()->segBtn->findChildren<QAbstractButton*>();
    QAccessibleInterface* advanced = QAccessible::queryAccessibleInterface(buttons[1]);
    advanced->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    drain();
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
    for (int i = 0; i < buttons.size(); ++i)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(buttons[i])->state().selected, i == 1) << i;
}

TEST_F(MainWindowTest, ReopenAndTheWindowCommandBringTheMainWindowBack) {
    prepareSettings(
        [](foundation::UserDefaults& s) { s.set("isShowFirst", foundation::PlistValue(std::int64_t{1})); });
    start();
    window().hide();
    EXPECT_FALSE(app->delegate().applicationShouldHandleReopen(false)) << "no reopen handling of its own";
    EXPECT_TRUE(window().isVisible());
    window().hide();
    app->delegate().openMainWindow();
    EXPECT_TRUE(window().isVisible());
}

class OptionsWindowController : public WindowController {};

TEST_F(MainWindowTest, TitleBarButtonOptionHidesTheButtonsItNames) {
    using B = appkit::Window::StandardButton;
    struct Case {
        int option;
        bool close, mini, zoom;
    } const cases[] = {{0, true, true, true},
                       {1, false, true, true},
                       {2, false, false, true},
                       {3, false, false, false},
                       {7, false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        OptionsWindowController controller;
        controller.toolbarButtons = c.option;
        appkit::Window* w = controller.window();
        EXPECT_EQ(w->isStandardButtonHidden(B::Close), c.close);
        EXPECT_EQ(w->isStandardButtonHidden(B::Miniaturize), c.mini);
        EXPECT_EQ(w->isStandardButtonHidden(B::Zoom), c.zoom);
        EXPECT_TRUE(w->titlebarAppearsTransparent);
        EXPECT_TRUE(w->fullSizeContentView);
        EXPECT_TRUE(w->frameAutosaveName().empty());
    }
}

TEST_F(MainWindowTest, AppearanceOptionPicksLightOrDark) {
    EXPECT_EQ(appearanceForMode(-1), std::nullopt);
    for (int mode : {0, 1, 5, 9, -2}) EXPECT_EQ(appearanceForMode(mode), Appearance::Aqua) << mode;
    for (int mode : {2, 4, 6, 8}) EXPECT_EQ(appearanceForMode(mode), Appearance::VibrantDark) << mode;
    for (int mode : {3, 7}) EXPECT_EQ(appearanceForMode(mode), Appearance::VibrantLight) << mode;

    OptionsWindowController dark;
    dark.appearanceMode = 4;
    EXPECT_LT(dark.window()->palette().color(QPalette::Window).lightness(), 80);
    OptionsWindowController light;
    light.appearanceMode = 5;
    EXPECT_GT(light.window()->palette().color(QPalette::Window).lightness(), 200);
}

TEST_F(MainWindowTest, DarkScreenDarkensItsWindow) {
    appkit::Window w;
    auto dark = std::make_shared<DarkVC>();
    w.setContentViewController(dark);
    w.show();
    drain();
    EXPECT_EQ(appearanceOf(w), Appearance::VibrantDark);
    EXPECT_EQ(appearanceOf(*dark->view()), Appearance::VibrantDark);
    EXPECT_LT(w.grab().toImage().pixelColor(5, 5).lightness(), 80) << "the window is painted dark";
}

TEST(WindowMaxSize, CoversTheLargestScreenInEachDirection) {
    const std::vector<cg::Size> screens{{1920, 1080}, {1280, 1440}};
    const cg::Size s = maxSizeCoveringScreens(cg::Size(800, 600), screens, cg::Size(1920, 1080));
    EXPECT_EQ(s.width, 1920);
    EXPECT_EQ(s.height, 1440);
    const cg::Size kept = maxSizeCoveringScreens(cg::Size(4000, 600), screens, std::nullopt);
    EXPECT_EQ(kept.width, 4000);
    const cg::Size main = maxSizeCoveringScreens(cg::Size(800, 600), {}, cg::Size(2560, 1600));
    EXPECT_EQ(main.width, 2560);
    EXPECT_EQ(main.height, 1600);
}

}  // namespace
