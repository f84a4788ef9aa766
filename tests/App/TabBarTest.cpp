// The tab switcher: which segue each tab takes, the reset of the per-tab state before the next screen
// loads, tabs whose screens are missing, jobs running on the tab being left, and the open panel.

#include <gtest/gtest.h>

#include "App/TabBarVC.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Screens/Activity/RunningActivity.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace {

namespace sc = ids::scene;

// A tab screen that registers with the tab switcher, notes the tab index it loads under, and may
// have a job running.
class FakeTab : public appkit::ViewController, public screens::RunningActivity {
  public:
    bool isActivityRunning() const override { return running; }
    bool isActivityStopping() const override { return false; }
    void cancelActivity() override {
        ++cancels;
        running = false;
    }
    bool running = false;
    int cancels = 0;
    int indexSeenAtLoad = -1;
    bool registrationsEmptyAtLoad = false;

  protected:
    void viewDidLoad() override {
        auto* tabs = dynamic_cast<TabBarVC*>(parent());
        if (!tabs) return;
        indexSeenAtLoad = tabs->intSegmentSelectedNow;
        registrationsEmptyAtLoad = !tabs->presetListVC && !tabs->advancedMasterVC && !tabs->renameMasterVC;
        if (identifier() == sc::PresetListForIOS) tabs->presetListVC = this;
        if (identifier() == sc::AdvancedMasterVC) tabs->advancedMasterVC = this;
        if (identifier() == sc::RenameMasterVC) tabs->renameMasterVC = this;
    }
};

class TabBarTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        appkit::addMainStoryboardSegues(board);
        for (const char* scene : {sc::PresetListForIOS, sc::AdvancedMasterVC, sc::RenameMasterVC})
            board.registerController(scene, [this] {
                auto tab = std::make_shared<FakeTab>();
                made.push_back(tab);
                return tab;
            });
        board.registerController(sc::TabBarVC, [] { return std::make_shared<TabBarVC>(); });
        tabs = board.instantiate<TabBarVC>(sc::TabBarVC);
        window.setContentViewController(tabs);
        window.resize(800, 500);
        window.show();
        drain();
    }
    void TearDown() override {
        appkit::ModalScript::clear();
        core::sharedImageList().removeAll();
        core::sharedRenameOptions().reset();
        UiTest::TearDown();
    }
    FakeTab* showing() { return dynamic_cast<FakeTab*>(tabs->children().back().get()); }
    void fillTabState() {
        core::sharedImageList().replaceAll({core::SourceURLInfo{}, core::SourceURLInfo{}});
        core::sharedRenameOptions().set({"p", "s", "n", "1", "f", "r"});
    }

    appkit::Storyboard board{"Main"};
    std::vector<std::weak_ptr<FakeTab>> made;
    appkit::Window window;
    std::shared_ptr<TabBarVC> tabs;
};

TEST_F(TabBarTest, EachTabTakesItsSegue) {
    EXPECT_EQ(TabBarVC::segueForTab(0, 2), "SlideRight_PresetList");
    EXPECT_EQ(TabBarVC::segueForTab(1, 0), "SlideLeft_Advanced");
    EXPECT_EQ(TabBarVC::segueForTab(1, 1), "SlideLeft_Advanced");
    EXPECT_EQ(TabBarVC::segueForTab(1, 2), "SlideRight_Advanced");
    EXPECT_EQ(TabBarVC::segueForTab(1, 3), "SlideRight_Advanced");
    EXPECT_EQ(TabBarVC::segueForTab(2, 0), "SlideLeft_Bulk");
    EXPECT_EQ(TabBarVC::segueForTab(3, 0), "SlideLeft_Quick");
    EXPECT_EQ(TabBarVC::segueForTab(7, 1), "SlideRight_PresetList");
}

TEST_F(TabBarTest, ThePresetListShowsFirstAndEachSwitchResetsTheTabStateBeforeTheNextScreenLoads) {
    ASSERT_NE(showing(), nullptr);
    EXPECT_EQ(tabs->presetListVC, showing());
    EXPECT_EQ(tabs->intSegmentSelectedNow, 0);

    fillTabState();
    tabs->selectTab(2);
    drain();
    FakeTab* rename = showing();
    EXPECT_EQ(rename->identifier(), sc::RenameMasterVC);
    EXPECT_EQ(rename->indexSeenAtLoad, 0) << "the new screen loads under the old index";
    EXPECT_TRUE(rename->registrationsEmptyAtLoad);
    EXPECT_EQ(tabs->renameMasterVC, rename);
    EXPECT_EQ(tabs->intSegmentSelectedNow, 2);
    EXPECT_TRUE(core::sharedImageList().isEmpty());
    EXPECT_EQ(core::sharedRenameOptions().get(), core::RenameOptions{})
        << "a reopened Rename tab starts empty";

    // The same tab again changes nothing: no segue, no reset.
    fillTabState();
    tabs->selectTab(2);
    drain();
    EXPECT_EQ(showing(), rename);
    EXPECT_EQ(core::sharedImageList().count(), 2u);
}

TEST_F(TabBarTest, ATabWithoutItsScreenKeepsTheCurrentTab) {
    fillTabState();
    tabs->selectTab(3);  // the Bulk tab's screen is not in this storyboard
    drain();
    EXPECT_EQ(tabs->intSegmentSelectedNow, 0);
    EXPECT_EQ(showing()->identifier(), sc::PresetListForIOS);
    EXPECT_EQ(core::sharedImageList().count(), 2u) << "nothing was reset";
}

TEST_F(TabBarTest, LeavingATabCancelsItsRunningJobAndOnlyThat) {
    FakeTab* presets = showing();
    presets->running = true;
    tabs->selectTab(0);
    EXPECT_EQ(presets->cancels, 0) << "selecting the tab that shows cancels nothing";
    tabs->selectTab(9);
    EXPECT_EQ(presets->cancels, 0) << "an unknown tab is the preset list, which shows";

    // The user is asked first; keeping the job keeps the tab.
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    tabs->selectTab(1);
    drain();
    EXPECT_EQ(presets->cancels, 0);
    EXPECT_EQ(showing(), presets);
    EXPECT_EQ(tabs->intSegmentSelectedNow, 0);

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    tabs->selectTab(1);
    drain();
    EXPECT_EQ(presets->cancels, 1);
    FakeTab* advanced = showing();
    EXPECT_EQ(advanced->identifier(), sc::AdvancedMasterVC);
    EXPECT_EQ(tabs->presetListVC, nullptr);
    EXPECT_EQ(advanced->cancels, 0);

    tabs->selectTab(2);
    EXPECT_EQ(advanced->cancels, 0) << "a finished job is not cancelled, nor asked about";
    drain();
    EXPECT_EQ(tabs->advancedMasterVC, nullptr);
    EXPECT_TRUE(made.front().expired()) << "the preset list screen is gone";
}

TEST_F(TabBarTest, TheOpenPanelHandsOverFilesAndFoldersOnlyOnOK) {
    testsupport::TempDir dir;
    const auto photo = dir.write("a.JPG", "x");
    std::filesystem::create_directory(dir / "Trip");
    std::vector<std::vector<std::string>> received;
    const auto canonical = [](const std::filesystem::path& p) {
        return std::filesystem::canonical(p).string();
    };

    appkit::ModalScript::pushOpenPanelAnswer(
        {appkit::ModalResponse::OK, {(dir / "Trip").string(), photo.string()}});
    tabs->browseForImages([&](const std::vector<std::string>& urls) { received.push_back(urls); });
    drain();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], (std::vector<std::string>{canonical(dir / "Trip") + "/", canonical(photo)}));

    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {photo.string()}});
    tabs->browseForImages([&](const std::vector<std::string>& urls) { received.push_back(urls); });
    drain();
    EXPECT_EQ(received.size(), 1u) << "Cancel calls no completion";

    appkit::OpenPanel panel;
    panel.allowedFileTypes = TabBarVC::allowedImageTypes();
    EXPECT_TRUE(panel.accepts(photo.string())) << "camera files in upper case are offered";
    EXPECT_FALSE(panel.accepts(dir.write("notes.txt", "x").string()));
}

}  // namespace
