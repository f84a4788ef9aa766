#pragma once
// The Advanced tab as a user reaches it: a start past the welcome pages, the tab selected, photos
// added, sizes ticked in the picker, Start clicked and the job run to its end.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "App/AppDefaults.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Setup/AddPresetContainerForMac.h"
#include "Screens/Setup/AddPresetNewVC.h"
#include "Screens/Setup/AdvancedHolderVC.h"
#include "Screens/Setup/AdvancedMasterVC.h"
#include "Screens/Setup/AdvancedTVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/EffectCollectionVC.h"
#include "Screens/Setup/FormatSelectionView.h"
#include "Screens/Setup/PresetDetailsTableVC.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/RenameOptionTVC.h"
#include "Screens/Setup/SizeListVC.h"
#include "ShellFixture.h"

namespace testsupport {

class AdvancedTabTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        foundation::setDefaultLocale("en_US");
    }
    void startOnAdvancedTab() {
        prepareSettings(
            [](foundation::UserDefaults& s) { s.set(appkeys::isShowFirst, foundation::PlistValue(1)); });
        start();
        mainQueue->advance(0.5);
        drain();
        app->mainWindowController()->segBtn->setSelectedSegment(1);
        tabBar()->selectTab(1);
        drain();
        mainQueue->advance(0.5);
        drain();
        ASSERT_NE(master(), nullptr) << "the Advanced tab shows";
        ASSERT_EQ(tabBar()->advancedMasterVC, master());
    }
    AdvancedMasterVC* master() { return tabBar() ? tabBar()->firstChild<AdvancedMasterVC>() : nullptr; }
    AdvancedTVC* pane() { return master()->holder()->optionsPane(); }
    DefaultPresetsPickerVC* picker() { return master()->holder()->firstChild<DefaultPresetsPickerVC>(); }
    void click(QWidget* w) {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton);
        drain();
    }
    std::vector<std::string> photos(int count, int width = 1600, int height = 1000) {
        std::vector<std::string> paths;
        for (int i = 1; i <= count; ++i) {
            const auto path = dir / "in" / ("photo" + std::to_string(i) + ".jpg");
            writeTestImage(path, width, height, static_cast<unsigned>(i));
            paths.push_back(path.string());
        }
        return paths;
    }
    void addToList(const std::vector<std::string>& paths) {
        const auto expected = core::sharedImageList().count() + paths.size();
        master()->addImages(paths);
        ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == expected; },
                                        std::chrono::seconds(60)));
        drain();
    }
    // Ticks the saved sizes of these names in the picker, opened from the size list's add row.
    void chooseSizes(const std::vector<std::string>& names) {
        SizeListVC* sizes = pane()->sizeListVC();
        const int addRow = sizes->tblView->numberOfRows() - 1;
        sizes->tblView->scrollRowToVisible(addRow);
        drain();
        click(sizes->tblView->viewAtRow(addRow)->findChild<controls::Button*>());
        ASSERT_NE(picker(), nullptr);
        appkit::TableView& table = *picker()->tableView;
        for (int row = 4; row < table.numberOfRows(); ++row) {
            table.scrollRowToVisible(row);
            drain();
            QWidget* cell = table.viewAtRow(row);
            const std::string name = cell->findChild<QLabel*>()->text().toStdString();
            auto* box = cell->findChild<controls::CheckBox*>();
            const bool wanted = std::find(names.begin(), names.end(), name) != names.end();
            if (box->isChecked() != wanted) click(box);
        }
        click(picker()->btnDone);
        ASSERT_EQ(picker(), nullptr);
    }
    // Start, as the user clicks it; the job begins once the activity screen has slid up.
    void proceed() {
        click(pane()->btnProceed);
        mainQueue->advance(0.6);
        drain();
    }
    bool runToEnd() {
        // The user skips the previews the effect brings.
        if (ActivityVC* activity = master()->holder()->activityVC();
            activity && activity->btnSkipPreview && activity->btnSkipPreview->isVisible())
            QTest::mouseClick(activity->btnSkipPreview, Qt::LeftButton);
        const bool ended = mainQueue->runUntil(
            [&] {
                ActivityVC* activity = master()->holder()->activityVC();
                return activity && !activity->isActivityRunning() &&
                       activity->btnDoneOrCancel->text() == "DONE";
            },
            std::chrono::seconds(180));
        drain();
        return ended;
    }
    // Picks the automatic enhancement, which shows each image in the preview.
    void chooseEnhancement() {
        EffectCollectionVC* effects = pane()->effectCollectionVC();
        auto* enhance = effects->collEffects->itemAtIndex(1);
        ASSERT_NE(enhance, nullptr);
        click(qobject_cast<appkit::View*>(enhance->view())->subviews()[3]);
        ASSERT_EQ(effects->intSelectedNow, 1);
    }
    // Whether a job runs and has not been told to stop. The activity screen is looked up each time:
    // the holder may make it anew as it slides up.
    bool jobRuns() {
        ActivityVC* activity = master()->holder()->activityVC();
        return activity && activity->isActivityRunning() && !activity->isGotCancel();
    }
    static std::vector<std::filesystem::path> filesUnder(const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
            if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        return files;
    }
    static double count(const core::PresetInfo& preset) {
        const auto it = preset.find("countUsage");
        return it == preset.end() ? 0 : it->second.toDouble().value_or(0);
    }
};

}  // namespace testsupport
