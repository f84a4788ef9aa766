// Jobs run on the activity screen with the real engine and generated photos: what the user sees
// while the job runs and when it ends, cancelled, failed or closed.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <set>

#include <QMenu>
#include <QTest>
#include "ActivityFixture.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Pasteboard.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/SizeListforResultVC.h"
#include "Support/RecordingWorkspace.h"

using namespace activitytest;

namespace {

std::set<std::string> filesBelow(const std::filesystem::path& folder) {
    std::set<std::string> out;
    if (!std::filesystem::exists(folder)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file()) out.insert(e.path().string());
    return out;
}

std::string cellText(SizeListforResultVC& table, int row, int tag) {
    auto* cell = qobject_cast<appkit::View*>(table.tblView->viewAtRow(row));
    if (!cell) return "<no row>";
    auto* label = qobject_cast<QLabel*>(cell->viewWithTag(tag));
    return label ? label->text().toStdString() : "<no label>";
}

double ringProgress(ActivityVC& screen) {
    auto* bar = screen.circularViewProgressView->barAt(0);
    return bar ? bar->progress() : -1;
}

}  // namespace

TEST_F(ActivityTest, TwoPresetsOverThreeImagesFillTheRingCountersTableAndDoneGrid) {
    const std::vector<std::filesystem::path> images = {
        source("a.jpg", 800, 600, 1), source("b.jpg", 900, 600, 2), source("c.png", 640, 480, 3)};
    ActivityVC& screen = openScreen();
    EXPECT_TRUE(screen.circularViewProgressView->bars().empty());
    EXPECT_EQ(plainText(screen.lblImages->text()), "0 Image");

    // The images come from the user's list, which the screen shows shrinking as the job runs.
    std::vector<core::SourceURLInfo> records;
    for (const auto& path : images) {
        records.emplace_back();
        records.back().fillFileDetails(path);
    }
    core::sharedImageList().replaceAll(records);
    core::JobParameters params;
    params.presets = {sizedPreset("Small", 400, 300), sizedPreset("Tiny", 200, 150)};
    for (const auto& r : records) params.images.emplace_back(r);
    auto* list = screen.embeddedCollectionVC();
    ASSERT_NE(list, nullptr);

    screen.resetForNewJob();
    screen.startJob(std::move(params));
    std::vector<double> ring;
    std::vector<int> listSizes;
    ASSERT_TRUE(runToEnd(screen, [&] {
        const double p = ringProgress(screen);
        if (p >= 0 && (ring.empty() || ring.back() != p)) ring.push_back(p);
        const int shown = list->displayedCount();
        if (listSizes.empty() || listSizes.back() != shown) listSizes.push_back(shown);
    }));
    core::sharedImageList().removeAll();
    ASSERT_NE(screen.circularViewProgressView->barAt(0), nullptr);
    EXPECT_EQ(screen.circularViewProgressView->barAt(0)->lineCap, Qt::FlatCap)
        << "the ring's ends are square";
    EXPECT_EQ(listSizes.back(), 0);
    EXPECT_GE(*std::max_element(listSizes.begin(), listSizes.end()), 1);
    EXPECT_EQ(list->collImages->numberOfItems(), 0);

    ASSERT_FALSE(ring.empty());
    EXPECT_EQ(ring.front(), 0.0);
    EXPECT_DOUBLE_EQ(ring.back(), 1.0);
    EXPECT_TRUE(std::is_sorted(ring.begin(), ring.end()));
    EXPECT_EQ(plainText(screen.lblImages->text()), "6 Images");
    EXPECT_EQ(plainText(screen.lblPresets->text()), "2 Preset");
    EXPECT_EQ(screen.lblHeader->text(), "Completed");
    EXPECT_EQ(screen.btnDoneOrCancel->text(), "DONE");
    EXPECT_FALSE(screen.allResultView->isHidden());
    EXPECT_TRUE(screen.previewView->isHidden());
    EXPECT_TRUE(screen.btnCancel->isHidden());

    auto* table = screen.childSizeListforResultVC();
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->tblView->numberOfRows(), 2);
    EXPECT_EQ(cellText(*table, 0, 1), "Small");
    EXPECT_EQ(cellText(*table, 0, 2), "3/3");
    EXPECT_EQ(cellText(*table, 1, 1), "Tiny");
    EXPECT_EQ(cellText(*table, 1, 2), "3/3");
    // A screen reader reads each row as its preset, and nothing on the done screen as an identifier.
    EXPECT_EQ(table->tblView->viewAtRow(0)->accessibleName(), "Small");
    EXPECT_EQ(table->tblView->viewAtRow(1)->accessibleName(), "Tiny");
    for (const QWidget* widget : screen.view()->findChildren<QWidget*>())
        EXPECT_FALSE(widget->accessibleName().startsWith("cellID")) << widget->metaObject()->className();

    // The done grid lists exactly the written files, preset by preset.
    auto* grid = screen.doneResultsGrid();
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->arrImages.size(), 6u);
    const auto jobFolder = screen.engine().finalizeOutputFolder();
    ASSERT_TRUE(jobFolder);
    for (int p = 0; p < 2; ++p) {
        std::set<std::string> shown;
        for (int i = 0; i < 3; ++i) {
            const auto& item = grid->arrImages[static_cast<std::size_t>(p * 3 + i)];
            EXPECT_FALSE(item.isSkipped.value_or(false));
            shown.insert(item.urlInfo.strFinalOutputFilePath);
        }
        const auto folder = *jobFolder / (p == 0 ? "Small" : "Tiny");
        EXPECT_EQ(shown, filesBelow(folder)) << folder;
    }
    EXPECT_EQ(grid->collImages->numberOfItems(), 6);
}

TEST_F(ActivityTest, SkippedImagesAppearOnlyInTheirPresetsResults) {
    const std::vector<std::filesystem::path> images = {source("big.jpg", 800, 600, 1),
                                                       source("small.jpg", 300, 200, 2)};
    ActivityVC& screen = openScreen();
    screen.resetForNewJob();
    screen.startJob(job({sizedPreset("Large", 400, 300), sizedPreset("Thumb", 200, 150)}, images));
    ASSERT_TRUE(runToEnd(screen));

    auto* table = screen.childSizeListforResultVC();
    EXPECT_EQ(cellText(*table, 0, 2), "1/2");
    EXPECT_EQ(cellText(*table, 1, 2), "2/2");

    const auto openResults = [&](int row) -> CollectionDoneorSkippedVC* {
        auto* cell = qobject_cast<appkit::View*>(table->tblView->viewAtRow(row));
        auto* button = cell ? qobject_cast<controls::PushButton*>(cell->viewWithTag(3)) : nullptr;
        if (!button) return nullptr;
        // The first row is opened by a click on its name, the others by their arrow: both lead there.
        if (row == 0)
            QTest::mouseClick(cell, Qt::LeftButton, {}, QPoint(20, cell->height() / 2));
        else
            button->click();
        mainQueue->advance(0.3);
        drain();
        EXPECT_TRUE(mainQueue->runUntil([&] { return holder->children().size() == 2; }));
        auto* grid = dynamic_cast<CollectionDoneorSkippedVC*>(holder->children().back().get());
        if (grid)
            mainQueue->runUntil(
                [&] { return grid->btnShowHideSkipped->isEnabled() == grid->bhasSkippedImg; });
        drain();
        return grid;
    };

    auto* large = openResults(0);
    ASSERT_NE(large, nullptr);
    EXPECT_FALSE(large->bIsDone);
    EXPECT_EQ(large->lblTitle->text(), "Large");
    ASSERT_EQ(large->arrImages.size(), 2u);
    EXPECT_FALSE(large->arrImages[0].isSkipped.value_or(false));
    EXPECT_TRUE(large->arrImages[1].isSkipped.value_or(false));
    EXPECT_EQ(large->arrImages[1].urlInfo.strFileName, "small.jpg");
    ASSERT_TRUE(mainQueue->runUntil([&] { return large->bhasSkippedImg; }));
    EXPECT_EQ(large->btnShowHideSkipped->text(), "Hide Skipped");

    const std::string largeWritten = large->arrImages[0].urlInfo.strFinalOutputFilePath;
    large->onDone();
    drain();
    ASSERT_EQ(holder->children().size(), 1u);

    auto* thumb = openResults(1);
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->lblTitle->text(), "Thumb");
    ASSERT_EQ(thumb->arrImages.size(), 2u);
    for (const auto& item : thumb->arrImages) EXPECT_FALSE(item.isSkipped.value_or(false));
    drain();
    EXPECT_FALSE(thumb->bhasSkippedImg);
    EXPECT_EQ(thumb->btnShowHideSkipped->text(), "");
    EXPECT_FALSE(thumb->btnShowHideSkipped->isEnabled());
    EXPECT_TRUE(thumb->btnShowHideSkipped->isHidden()) << "an untitled button is drawn empty";

    // Share offers the first preset's written files only: never a skipped image.
    screen.onShare(screen.btnShare);
    auto* menu = screen.btnShare->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
        if (action->text() == "Copy File Paths") action->trigger();
    delete menu;
    EXPECT_EQ(appkit::Pasteboard::general().string(), largeWritten);
    EXPECT_TRUE(largeWritten.find("/Large/") != std::string::npos) << largeWritten;

    // The done grid marks the small image skipped for the large preset only.
    auto* grid = screen.doneResultsGrid();
    ASSERT_EQ(grid->arrImages.size(), 4u);
    EXPECT_FALSE(grid->arrImages[0].isSkipped.value_or(false));
    EXPECT_TRUE(grid->arrImages[1].isSkipped.value_or(false));
    EXPECT_FALSE(grid->arrImages[2].isSkipped.value_or(false));
    EXPECT_FALSE(grid->arrImages[3].isSkipped.value_or(false));
}

TEST_F(ActivityTest, CancelMidJobEndsCancelledWithItsCountsAndTheNextJobRunsCleanly) {
    pacer = std::make_shared<HoldingPacer>();
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 4; ++i) images.push_back(source("p" + std::to_string(i) + ".jpg", 640, 480, i + 1));
    ActivityVC& screen = openScreen();
    screen.resetForNewJob();
    auto first = job({sizedPreset("Half", 320, 240)}, images);
    first.forcePreview = true;
    screen.startJob(std::move(first));
    EXPECT_FALSE(screen.bSkipPreview());
    EXPECT_EQ(screen.cnstimgProcessHolderWidth->constant(), 320.0);
    ASSERT_TRUE(mainQueue->runUntil([&] { return pacer->isHolding(); }, std::chrono::seconds(60)));

    // CANCEL asks before it stops the job; the user says Yes.
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    screen.onCancelActivity();
    EXPECT_FALSE(appkit::ModalScript::takeAlertAnswer()) << "asked";
    mainQueue->runUntilIdle();
    EXPECT_TRUE(screen.isGotCancel());
    pacer->release();
    ASSERT_TRUE(runToEnd(screen));

    EXPECT_EQ(screen.lblHeader->text(), "Cancelled");
    EXPECT_EQ(screen.btnDoneOrCancel->text(), "DONE");
    const int doneSoFar = static_cast<int>(screen.engine().arrDoneImageSet().size());
    EXPECT_GE(doneSoFar, 1);
    EXPECT_LT(doneSoFar, 4);
    EXPECT_EQ(plainText(screen.lblImages->text()), std::to_string(doneSoFar) + " Images");
    EXPECT_EQ(defaults->integer("UDTotalPhotos"), doneSoFar);
    EXPECT_EQ(screen.engine().arrSkipImageSet().size(), 4u - static_cast<std::size_t>(doneSoFar));
    EXPECT_EQ(screen.engine().finalizeOutputFolder().has_value(), true);
    const auto firstFolder = *screen.engine().finalizeOutputFolder();

    // The same screen runs the next job from a clean slate.
    screen.resetForNewJob();
    EXPECT_FALSE(screen.isGotCancel());
    EXPECT_EQ(screen.lblHeader->text(), "Cancelled");  // the header waits for the new job's first image
    EXPECT_EQ(screen.btnDoneOrCancel->text(), "CANCEL");
    EXPECT_EQ(ringProgress(screen), 0.0);
    screen.startJob(job({sizedPreset("Quarter", 160, 120)}, images));
    ASSERT_TRUE(runToEnd(screen));
    EXPECT_EQ(screen.lblHeader->text(), "Completed");
    EXPECT_EQ(plainText(screen.lblImages->text()), "4 Images");
    EXPECT_EQ(screen.engine().arrDoneImageSet().size(), 4u);
    EXPECT_TRUE(screen.engine().arrSkipImageSet().empty());
    auto* grid = screen.doneResultsGrid();
    ASSERT_EQ(grid->arrImages.size(), 4u);
    for (const auto& item : grid->arrImages) {
        EXPECT_FALSE(item.isSkipped.value_or(false));
        EXPECT_NE(std::filesystem::path(item.urlInfo.strFinalOutputFilePath).parent_path(), firstFolder);
        EXPECT_EQ(testsupport::imageFileSize(item.urlInfo.strFinalOutputFilePath), (std::pair{160, 120}));
    }
    EXPECT_EQ(defaults->integer("UDTotalPhotos"), doneSoFar + 4);
}

TEST_F(ActivityTest, AJobWhoseOutputFolderIsGoneShowsAnErrorNotCompleted) {
    const auto image = source("a.jpg", 800, 600);
    std::filesystem::remove_all(out());
    ActivityVC& screen = openScreen();
    int notifications = 0;
    ActivityHooks::shared().deliverNotification = [&](auto&&, auto&&, auto&&) { ++notifications; };
    screen.resetForNewJob();
    screen.startJob(job({sizedPreset("Small", 400, 300)}, {image}));
    ASSERT_TRUE(runToEnd(screen));
    ActivityHooks::shared().deliverNotification = nullptr;

    EXPECT_FALSE(screen.jobError().empty());
    EXPECT_NE(screen.lblHeader->text(), "Completed");
    EXPECT_EQ(screen.lblHeader->text().toStdString(), screen.jobError());
    EXPECT_TRUE(screen.allResultView->isHidden());
    EXPECT_TRUE(screen.saveOrShareView->isHidden());
    EXPECT_EQ(notifications, 0);
    EXPECT_FALSE(std::filesystem::exists(out()));
}

TEST_F(ActivityTest, AFinishedJobNotifiesOnceAndShowInFinderOpensTheJobFolder) {
    const auto image = source("a.jpg", 800, 600);
    ActivityVC& screen = openScreen();
    std::vector<std::string> notices;
    ActivityHooks::shared().deliverNotification =
        [&](const std::optional<std::string>&, const std::string& subtitle, const std::string& action) {
            notices.push_back(subtitle + "|" + action);
        };
    screen.resetForNewJob();
    screen.startJob(job({sizedPreset("Small", 400, 300)}, {image}));
    ASSERT_TRUE(runToEnd(screen));
    ActivityHooks::shared().deliverNotification = nullptr;
    EXPECT_EQ(notices, std::vector<std::string>{"It's done.|Show"});
    // The duration alone, as the user's locale writes it ("1 sec").
    const std::string duration =
        QString::fromStdString(plainText(screen.lblDuration->text())).trimmed().toStdString();
    EXPECT_TRUE(duration.ends_with("sec")) << duration;
    EXPECT_EQ(duration.find("saved"), std::string::npos) << duration;
    EXPECT_FALSE(screen.durationView->isHidden());
    EXPECT_FALSE(screen.sizeView->isHidden());

    auto workspace = std::make_unique<testsupport::RecordingWorkspace>();
    auto* opened = workspace.get();
    appkit::Workspace::shared().setBackend(std::move(workspace));
    screen.btnShowInFinder->click();
    const auto folder = screen.engine().finalizeOutputFolder();
    ASSERT_TRUE(folder);
    EXPECT_EQ(opened->opened,
              std::vector<std::string>{
                  QUrl::fromLocalFile(QString::fromStdString(folder->string())).toString().toStdString()});
    EXPECT_TRUE(std::filesystem::is_directory(*folder));
    appkit::Workspace::shared().setBackend(nullptr);
}

TEST_F(ActivityTest, ClosingTheScreenMidJobCancelsItAndNothingReachesTheFreedScreen) {
    pacer = std::make_shared<HoldingPacer>();
    std::vector<std::filesystem::path> images;
    for (int i = 0; i < 3; ++i) images.push_back(source("p" + std::to_string(i) + ".jpg", 640, 480, i + 1));
    ActivityVC& screen = openScreen();
    screen.resetForNewJob();
    auto params = job({sizedPreset("Half", 320, 240)}, images);
    params.forcePreview = true;
    screen.startJob(std::move(params));
    ASSERT_TRUE(mainQueue->runUntil([&] { return pacer->isHolding(); }, std::chrono::seconds(60)));

    std::weak_ptr<core::Pacer> jobAlive = pacer;
    QPointer<ActivityVC> watched(&screen);
    window.reset();
    holder.reset();
    drain();
    EXPECT_TRUE(watched.isNull());

    // The worker carries on alone; everything it posts finds the screen gone and is dropped.
    pacer->release();
    pacer.reset();
    EXPECT_TRUE(mainQueue->runUntil([&] { return jobAlive.expired(); }, std::chrono::seconds(60)));
    drain();
    // The cancelled job wrote no more than the image it was on.
    std::size_t written = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(out())) written += e.is_regular_file();
    EXPECT_LE(written, 1u);
}
