// The activity screen's own rules: what each state shows, the counters and the result table's
// height, preview sizing, the store-review count, skipping the preview, cancel and leaving.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include <thread>
#include "ActivityFixture.h"
#include "Core/Records/SharedLists.h"
#include "Platform/Image/ImageGeometry.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityHostScreen.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/PresetResults.h"
#include "Screens/Activity/PreviewPacer.h"

using namespace activitytest;

namespace {

struct Shown {
    bool images, preview, results, separator, saveOrShare, durationAndSize, cancel, loading;
    std::string mainButton;
    double panelWidth;
};

Shown shown(ActivityVC& s) {
    return {!s.allImageView->isHidden(),
            !s.previewView->isHidden(),
            !s.allResultView->isHidden(),
            !s.resultorSaveSeparatorView->isHidden(),
            !s.saveOrShareView->isHidden(),
            !s.durationView->isHidden() && !s.sizeView->isHidden(),
            !s.btnCancel->isHidden() && !s.btnStatusGuard->isHidden(),
            !s.imgLoadingView->isHidden() && !s.imgProcessingView->isHidden() &&
                !s.btnSkipPreview->parentWidget()->isHidden(),
            s.btnDoneOrCancel->text().toStdString(),
            s.cnstimgProcessHolderWidth->constant()};
}

// A screen that holds an activity container, as the tab screens and the preset list do.
class HostScreen : public appkit::ViewController, public ActivityHostScreen {
  public:
    explicit HostScreen(Kind kind) : kind_(kind) {}
    Kind activityHostKind() const override { return kind_; }
    void setEmbeddedActivityVC(ActivityVC* vc) override { embedded = vc; }
    void hideActivityPanel() override { ++hides; }
    ActivityVC* embedded = nullptr;
    int hides = 0;

  private:
    Kind kind_;
};

}  // namespace

TEST_F(ActivityTest, EachStateShowsWhatItShould) {
    ActivityVC& s = openScreen();
    auto ready = shown(s);
    EXPECT_TRUE(ready.images && ready.preview && ready.cancel);
    EXPECT_FALSE(ready.results || ready.saveOrShare || ready.durationAndSize || ready.loading);
    EXPECT_EQ(ready.mainButton, "CANCEL");
    EXPECT_EQ(ready.panelWidth, 0);
    EXPECT_EQ(plainText(s.lblSize->text()), "0.00 byte");
    EXPECT_EQ(plainText(s.lblDuration->text()), "0 Sec");
    EXPECT_TRUE(s.bSkipPreview());

    s.showPreviewPanel();
    auto preview = shown(s);
    EXPECT_TRUE(preview.loading);
    EXPECT_EQ(preview.panelWidth, 320);
    EXPECT_FALSE(s.bSkipPreview());
    EXPECT_EQ(appkit::View::frameOf(s.circularViewProgressView->parentWidget()).minX(),
              appkit::View::frameOf(s.imgLoadingView).width());

    s.onSkipPreviewInProcess();
    drain();
    auto skipped = shown(s);
    EXPECT_FALSE(skipped.loading);
    EXPECT_EQ(skipped.panelWidth, 0);
    EXPECT_TRUE(s.bSkipPreview());
    EXPECT_EQ(appkit::View::frameOf(s.circularViewProgressView->parentWidget()).minX(), 0);

    s.showDoneState({});
    drain();
    auto done = shown(s);
    EXPECT_FALSE(done.images || done.preview || done.separator || done.cancel);
    EXPECT_TRUE(done.results && done.saveOrShare && done.durationAndSize);
    EXPECT_EQ(done.mainButton, "DONE");
    EXPECT_EQ(s.lblHeader->text(), "Completed");
    EXPECT_FALSE(s.circularViewProgressView->subviews().front()->isHidden());

    ActivityHooks::shared().isRenameTabSelected = [] { return true; };
    s.resetForNewJob();
    s.showDoneState({});
    drain();
    ActivityHooks::shared().isRenameTabSelected = nullptr;
    auto renameDone = shown(s);
    EXPECT_FALSE(renameDone.results);
    EXPECT_TRUE(renameDone.separator && renameDone.saveOrShare);
    EXPECT_TRUE(s.doneResultsGrid()->arrImages.empty());
}

TEST_F(ActivityTest, ThePresetCountSetsTheCounterAndTheTableHeight) {
    ActivityVC& s = openScreen();
    s.reloadPresetTable({}, 0);
    EXPECT_EQ(plainText(s.lblPresets->text()), "0 Preset");
    EXPECT_EQ(s.cnstPresetListHeight->constant(), 30);
    s.reloadPresetTable({sizedPreset("a", 1, 1), sizedPreset("b", 1, 1), sizedPreset("c", 1, 1)}, 5);
    EXPECT_EQ(plainText(s.lblPresets->text()), "3 Preset");
    EXPECT_EQ(s.cnstPresetListHeight->constant(), 150);
    EXPECT_EQ(s.countPressetProcessed, 3);

    // Values from the disk are shown as they are, never read as markup.
    s.makeStatusText("<b>7</b>", "<i>x</i>", s.lblImages);
    EXPECT_EQ(plainText(s.lblImages->text()), "<b>7</b> <i>x</i>");
}

TEST_F(ActivityTest, APreviewKeepsItsShapeWithTheLongerSideOfTheLoadingBox) {
    ActivityVC& s = openScreen();
    appkit::View::setFrameOf(s.imgLoadingView, cg::Rect(10, 10, 190, 190));
    const auto wide = s.sizePreviewImage(testsupport::makeTestImage(400, 300));
    ASSERT_TRUE(wide);
    EXPECT_EQ(image::pixelSize(*wide), (cg::Size{190, 142}));
    const auto tall = s.sizePreviewImage(testsupport::makeTestImage(300, 400));
    ASSERT_TRUE(tall);
    EXPECT_EQ(image::pixelSize(*tall), (cg::Size{142, 190}));
    EXPECT_FALSE(s.sizePreviewImage(std::nullopt));
}

TEST_F(ActivityTest, TheFifthDoneStateOfAScreenAsksForAReviewOnce) {
    ActivityVC& s = openScreen();
    for (int i = 1; i <= 4; ++i) s.showDoneState({});
    mainQueue->advance(2.0);
    EXPECT_FALSE(defaults->boolean("Reviewd"));
    s.showDoneState({});
    mainQueue->advance(0.9);
    EXPECT_FALSE(defaults->boolean("Reviewd"));
    mainQueue->advance(0.2);
    EXPECT_TRUE(defaults->boolean("Reviewd"));
    EXPECT_EQ(s.resizeCountForReview, 5);
    s.showDoneState({});
    EXPECT_EQ(s.resizeCountForReview, 5);

    // A new screen counts from nothing.
    defaults->set("Reviewd", foundation::PlistValue(false));
    ActivityVC fresh(services());
    fresh.loadViewIfNeeded();
    EXPECT_EQ(fresh.resizeCountForReview, 0);
}

TEST_F(ActivityTest, SkippingThePreviewEndsAPauseAtOnce) {
    auto skip = std::make_shared<PreviewPacer>();
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        skip->pause(60);
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(returned);
    skip->skip();
    worker.join();
    EXPECT_TRUE(returned);
    skip->pause(60);  // a skipped pacer no longer waits
    skip->resume();
    EXPECT_FALSE(skip->isSkipped());
}

TEST_F(ActivityTest, WhileThePreviewIsOnEachImageIsShownBeingWorkedOn) {
    const auto a = source("a.jpg", 800, 600, 1);
    const auto b = source("b.jpg", 700, 500, 2);
    pacer = std::make_shared<HoldingPacer>();
    pacer->release();  // no waiting in this test
    ActivityVC& s = openScreen();
    s.resetForNewJob();
    auto params = job({sizedPreset("Small", 400, 300)}, {a, b});
    params.forcePreview = true;
    s.startJob(std::move(params));
    int loadingImages = 0, workingImages = 0;
    const ActivityImageView* loading = s.imgLoadingView;
    const ActivityImageView* working = s.imgProcessingView;
    std::optional<image::Image> lastLoading, lastWorking;
    const auto changed = [](const std::optional<image::Image>& now, std::optional<image::Image>& last) {
        if (!now || (last && last->isSameObject(*now))) return false;
        last = now;
        return true;
    };
    ASSERT_TRUE(runToEnd(s, [&] {
        loadingImages += changed(loading->image(), lastLoading);
        workingImages += changed(working->image(), lastWorking);
    }));
    EXPECT_GE(loadingImages, 1);
    EXPECT_GE(workingImages, 1);
    EXPECT_EQ(plainText(s.lblImages->text()), "2 Images");
}

TEST_F(ActivityTest, CancelSlidesAPresetsResultsBackFirstThenLeavesTheTabScreen) {
    auto screen = std::make_shared<HostScreen>(ActivityHostScreen::Kind::TabHolder);
    screen->loadViewIfNeeded();
    appkit::Storyboard::main().registerController(
        ids::scene::ActivityVC, [this] { return std::make_shared<ActivityVC>(services()); });
    auto first = std::make_shared<appkit::ViewController>();
    screen->addChild(first);
    screen->view()->addSubview(first->view());
    auto activityHolder = std::make_shared<ActivityHolderVC>();
    screen->addChild(activityHolder);
    screen->view()->addSubview(activityHolder->view());
    mainQueue->advance(0.3);
    drain();
    ActivityVC* s = activityHolder->activityVC();
    ASSERT_NE(s, nullptr);

    int menuCleared = 0;
    ActivityHooks::shared().clearCancelActivityMenuItem = [&] { ++menuCleared; };
    activityHolder->performSegue(ids::SlideLeft_PresetResults, PresetResults{{}, "HD"});
    drain();
    ASSERT_EQ(activityHolder->children().size(), 2u);
    s->onCancelActivity();
    drain();
    ActivityHooks::shared().clearCancelActivityMenuItem = nullptr;
    EXPECT_EQ(activityHolder->children().size(), 1u);
    EXPECT_EQ(menuCleared, 1);
    EXPECT_TRUE(s->isGotCancel());
    ASSERT_EQ(screen->children().size(), 1u);  // the container left the tab screen
    EXPECT_EQ(screen->children().front(), first);
}

TEST_F(ActivityTest, LeavingThePresetListsPanelClearsTheResultsAndKeepsTheScreen) {
    auto screen = std::make_shared<HostScreen>(ActivityHostScreen::Kind::PresetList);
    screen->loadViewIfNeeded();
    appkit::Storyboard::main().registerController(
        ids::scene::ActivityVC, [this] { return std::make_shared<ActivityVC>(services()); });
    auto activityHolder = std::make_shared<ActivityHolderVC>();
    screen->addChild(activityHolder);
    screen->view()->addSubview(activityHolder->view());
    mainQueue->advance(0.3);
    drain();
    ActivityVC* s = activityHolder->activityVC();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(screen->embedded, s);

    s->doneResultsGrid()->arrImages.resize(3);
    s->onCancelActivity();
    EXPECT_EQ(screen->hides, 1);
    EXPECT_TRUE(s->doneResultsGrid()->arrImages.empty());
    EXPECT_EQ(screen->children().size(), 1u);
}

TEST_F(ActivityTest, AfterASkippedPreviewAFinishedImageLeavesTheListWithoutFlyingIn) {
    std::vector<core::SourceURLInfo> records(3);
    for (std::size_t i = 0; i < records.size(); ++i)
        records[i].fillFileDetails(source("r" + std::to_string(i) + ".jpg", 320, 240, unsigned(i + 1)));
    core::sharedImageList().replaceAll(records);
    ActivityVC& s = openScreen();
    s.loadProcessingList();
    ASSERT_EQ(s.embeddedCollectionVC()->displayedCount(), 3);

    s.showPreviewPanel();
    s.onSkipPreviewInProcess();
    s.animateProcessedImageToFrame(testsupport::makeTestImage(100, 80), cg::Rect(0, 0, 50, 40));
    drain();
    core::sharedImageList().removeAll();
    EXPECT_EQ(s.embeddedCollectionVC()->displayedCount(), 2);
    EXPECT_FALSE(s.imgLoadingView->image());
    EXPECT_FALSE(s.rectFrameToShowAfter);
}

TEST_F(ActivityTest, CountersKeepTheirWholeTextsInANarrowPanel) {
    ActivityVC& s = openScreen();
    s.durationView->show();  // as in the done state
    s.sizeView->show();
    s.makeStatusText("2", "Preset", s.lblPresets);
    s.makeStatusText("12", "Images", s.lblImages);
    s.makeStatusText("14 sec", "saved", s.lblDuration);
    s.makeStatusText("3.91 MB", "", s.lblSize);
    const auto counters =
        std::vector<QWidget*>{s.presetCountView, s.imagesCountView, s.durationView, s.sizeView};
    const auto allFit = [&] {
        for (QWidget* w : counters)
            if (w->width() < w->sizeHint().width()) return false;
        return true;
    };
    drain();
    EXPECT_TRUE(allFit()) << "wide: nothing cut";
    EXPECT_EQ(s.sizeView->geometry().top(), s.presetCountView->geometry().top()) << "wide: one row";

    window->resize(350, 700);  // the preset list's side panel
    drain();
    EXPECT_TRUE(allFit()) << "narrow: nothing cut";
    EXPECT_GT(s.durationView->geometry().top(), s.presetCountView->geometry().top()) << "narrow: two rows";

    s.makeStatusText("1 hr, 2 min, 5 sec", "saved", s.lblDuration);
    drain();
    EXPECT_TRUE(allFit()) << "a long duration takes a row of its own";
}
