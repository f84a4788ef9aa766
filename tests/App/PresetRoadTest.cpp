#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <set>

#include "App/AppDefaults.h"
#include "App/MainMenu.h"
#include "App/PresetListScene.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "ShellFixture.h"
#include "Support/PanelDriving.h"
#include "Support/UiEvents.h"

namespace {

class PresetRoadTest : public testsupport::ShellTest {
  protected:
    PresetListForIOS* presetList() { return tabBar() ? tabBar()->firstChild<PresetListForIOS>() : nullptr; }
    // Until the job just asked for has collected its sources, run and shown its end.
    bool runToEnd(PresetListForIOS& screen) {
        ActivityVC& activity = *screen.activityVC_Embedded;
        const bool ended = mainQueue->runUntil(
            [&] {
                return screen.loadingIndicatorView->isHidden() && !activity.isActivityRunning() &&
                       activity.btnDoneOrCancel->text() == "DONE";
            },
            std::chrono::seconds(120));
        drain();
        return ended;
    }
    std::size_t filesIn(const std::filesystem::path& folder) {
        std::size_t n = 0;
        for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) n += e.is_regular_file();
        return n;
    }
};

TEST_F(PresetRoadTest, AFirstStartLeadsToThePresetGridWhereADropRunsAndTheMenuRunsAgain) {
    foundation::setDefaultLocale("en_US");
    startPastWelcome();
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr) << "the first tab shows the preset list";
    ASSERT_EQ(screen->collectionView->numberOfItems(), 7);
    ASSERT_NE(screen->activityVC_Embedded, nullptr);
    EXPECT_EQ(tabBar()->presetListVC, screen);

    const auto in = dir / "in";
    testsupport::writeTestImage(in / "one.jpg", 1000, 800, 1);
    testsupport::writeTestImage(in / "two.jpg", 1000, 800, 2);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    auto* cell = dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(6));
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->nameField->text(), "SD");
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    ASSERT_TRUE(
        testsupport::dropFiles(cell->presetView, {(in / "one.jpg").string(), (in / "two.jpg").string()})
            .dropAccepted);
    ASSERT_TRUE(runToEnd(*screen));
    EXPECT_EQ(filesIn(out), 2u);

    // The presets menu of the menu bar runs the same preset once the panel has closed.
    auto* submenu = qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
    ASSERT_NE(submenu, nullptr);
    ASSERT_EQ(submenu->items().size(), 7u);
    screen->hideActivityPanel();
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    submenu->items()[6]->trigger();
    drain();
    ASSERT_TRUE(runToEnd(*screen));
    EXPECT_EQ(filesIn(out), 3u);
    const auto sd = *core::sharedPresetList().at(6);
    EXPECT_EQ(*sd.at("countUsage").integerIf(), 2);
}

TEST_F(PresetRoadTest, ResizeOnPresetAsANewUserDoesItWritesThePickedPhotosIntoANewJobFolder) {
    foundation::setDefaultLocale("en_US");
    startPastWelcome();
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    const auto photos = dir / "My Photos";
    for (int i = 1; i <= 3; ++i)
        testsupport::writeTestImage(photos / ("photo" + std::to_string(i) + ".jpg"), 1000, 800, i);
    const auto exports = dir / "Exports";
    std::filesystem::create_directories(exports);

    // The preset's own menu, then its Resize on Preset item.
    auto* cell = dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(6));
    ASSERT_NE(cell, nullptr);
    QTest::mouseClick(cell->optionButton, Qt::LeftButton);
    drain();
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr) << "the preset's menu did not open";
    QAction* resize = nullptr;
    for (QAction* action : menu->actions())
        if (action->text() == "Resize on Preset") resize = action;
    ASSERT_NE(resize, nullptr);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(resize).center());
    drain();

    // The open panel: the photos' folder typed and entered, two photos picked by click and Ctrl+click.
    const auto panel = testsupport::PanelParts::of(testsupport::shownPanel());
    ASSERT_TRUE(panel.complete()) << "no open panel";
    ASSERT_TRUE(panel.goTo(photos));
    ASSERT_EQ(testsupport::shownPanel(), panel.sheet) << "Return on the folder closed the panel";
    for (int i = 0; i < 250 && panel.listed().size() < 3; ++i) wait(20);
    ASSERT_EQ(panel.listed().size(), 3u) << "the folder's photos are not listed";
    ASSERT_TRUE(panel.click("photo1.jpg"));
    ASSERT_TRUE(panel.click("photo3.jpg", Qt::ControlModifier));
    EXPECT_EQ(panel.marked(), (std::set<std::string>{"photo1.jpg", "photo3.jpg"}));

    // Open; the output folder is asked for, typed and chosen while the job waits for it.
    const testsupport::PanelAnswer chooseFolder("Choose the folder for the resized images",
                                                [&](QDialog& chooser) {
                                                    const auto parts = testsupport::PanelParts::of(&chooser);
                                                    ASSERT_TRUE(parts.complete());
                                                    ASSERT_TRUE(parts.goTo(exports));
                                                    QTest::mouseClick(parts.button("Choose"), Qt::LeftButton);
                                                });
    QTest::mouseClick(panel.button("Open"), Qt::LeftButton);
    drain();
    EXPECT_TRUE(chooseFolder.acted()) << "the output folder was not asked for";
    ASSERT_TRUE(runToEnd(*screen));

    std::vector<std::filesystem::path> jobFolders;
    for (const auto& entry : std::filesystem::directory_iterator(exports))
        if (entry.is_directory()) jobFolders.push_back(entry.path());
    ASSERT_EQ(jobFolders.size(), 1u) << "no new job folder";
    std::set<std::string> written;
    for (const auto& entry : std::filesystem::directory_iterator(jobFolders.front()))
        written.insert(entry.path().stem().string());
    EXPECT_EQ(written, (std::set<std::string>{"photo1", "photo3"}));
    EXPECT_EQ(filesIn(exports), 2u);
}

// The presets menu's run reaches a preset list that registers only after its tab has shown (its
// screen loads late), as long as it comes within the wait the run gives it.
TEST_F(PresetRoadTest, AMenuRunFromAnotherTabWaitsForThePresetListToRegisterAndThenRuns) {
    foundation::setDefaultLocale("en_US");
    prepareSettings(
        [](foundation::UserDefaults& s) { s.set(appkeys::isShowFirst, foundation::PlistValue(1)); });
    start();
    const auto in = dir / "in";
    testsupport::writeTestImage(in / "one.jpg", 1000, 800, 1);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    ASSERT_TRUE(core::storeOutputFolder(app->delegate().defaults(), out));
    app->mainWindowController()->segBtn->setSelectedSegment(2);
    tabBar()->selectTab(2);
    drain();
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 2);

    // From now on the preset list registers 2 s after its screen has loaded.
    auto real = std::make_shared<appkit::Storyboard>("real");
    registerPresetListScene(*real);
    appkit::Storyboard::main().registerController(ids::scene::PresetListForIOS, [real] {
        auto screen = real->instantiate<PresetListForIOS>(ids::scene::PresetListForIOS);
        screen->didLoad = [registerList = screen->didLoad] {
            dispatch::Queue::main().asyncAt(dispatch::Time{dispatch::Queue::main().now().ns + 2'000'000'000},
                                            registerList);
        };
        return screen;
    });

    auto* submenu = qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
    ASSERT_NE(submenu, nullptr);
    ASSERT_EQ(submenu->items()[6]->text(), "SD");
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    submenu->items()[6]->trigger();
    drain();
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 0);
    EXPECT_EQ(tabBar()->presetListVC, nullptr) << "the list has not registered yet";
    mainQueue->advance(1.0);
    drain();
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer().has_value())
        << "nothing is asked before it registers";
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    mainQueue->advance(1.5);
    drain();
    ASSERT_FALSE(appkit::ModalScript::takeOpenPanelAnswer()) << "the preset asked for its images";
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    ASSERT_TRUE(runToEnd(*screen));
    EXPECT_EQ(filesIn(out), 1u);
}

TEST(MainMenuTitles, TheApplicationNameReplacesThePlaceholdersAtAnyDepth) {
    EXPECT_EQ(mainmenu::retitledText("About Vorta Pro_macOS", "Vorta"), "About Vorta");
    EXPECT_EQ(mainmenu::retitledText("Welcome to Vorta", "Vorta Studio"), "Welcome to Vorta Studio");
    EXPECT_EQ(mainmenu::menuAppName(""), "Vorta Pro");
    appkit::Menu bar;
    auto* top = bar.addItem("Vorta Pro_macOS");
    auto* sub = new appkit::Menu("", &bar);
    top->setMenu(sub);
    auto* deeper = sub->addItem("More");
    auto* subsub = new appkit::Menu("", &bar);
    deeper->setMenu(subsub);
    subsub->addItem("Hide Vorta Pro_macOS and Vorta Pro_macOS");
    mainmenu::retitleMenu(bar, "X");
    EXPECT_EQ(top->title(), "X");
    EXPECT_EQ(subsub->items()[0]->title(), "Hide X and X");
}

}  // namespace
