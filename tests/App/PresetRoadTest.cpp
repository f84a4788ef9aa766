#include <gtest/gtest.h>

#include <QTest>

#include "App/MainMenu.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "ShellFixture.h"
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
    start();
    ASSERT_NE(welcome(), nullptr);
    QTest::mouseClick(welcome()->btnDone, Qt::LeftButton);
    drain();
    mainQueue->advance(0.5);
    drain();
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
