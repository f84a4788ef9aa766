#pragma once
// ActivityVC: the activity screen of a batch job. It shows the images still to process, the
// preview of the image being worked on, the progress ring, the counters, the per-preset result table
// and, at the end, the written images with Show in Finder and Share. It owns the job's engine and
// is the screen the engine reports to; the set-up screens start jobs through it.
// Main thread only; the engine's workers reach it only through the main queue.

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Core/Job/ActivityScreen.h"
#include "Core/Job/BatchEngine.h"
#include "Platform/AppKit/LayoutConstraint.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ExpectedJob.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/PreviewPacer.h"

class QLabel;
namespace controls {
class PushButton;
}
class ActivityImageView;
class CircularProgressView;
class CollectionDoneorSkippedVC;
class SizeListforResultVC;

class ActivityVC : public appkit::ViewController, public core::ActivityScreen, public screens::ImageListHost {
    Q_OBJECT
  public:
    ActivityVC();
    // With the engine's services (tests give their settings, clock and pacer). Without a shared pacer
    // the screen's own one paces the previews, and Skip Preview ends its pauses.
    explicit ActivityVC(core::BatchEngine::Services services);
    ~ActivityVC() override;

    // Outlets, made by loadView.
    appkit::View* collImagesContainer = nullptr;
    appkit::View* collResultImgContainer = nullptr;
    ActivityImageView* imgProcessingView = nullptr;
    ActivityImageView* imgLoadingView = nullptr;
    appkit::View* frameView = nullptr;
    appkit::View* bgView = nullptr;
    QLabel* lblPresets = nullptr;
    QLabel* lblImages = nullptr;
    QLabel* lblDuration = nullptr;
    QLabel* lblSize = nullptr;
    controls::PushButton* btnSkipPreview = nullptr;
    QLabel* lblHeader = nullptr;
    CircularProgressView* circularViewProgressView = nullptr;
    appkit::LayoutConstraint* cnstPresetListHeight = nullptr;
    appkit::LayoutConstraint* cnstImgLoadingHeight = nullptr;
    appkit::LayoutConstraint* cnstimgProcessHolderWidth = nullptr;
    appkit::View* allImageView = nullptr;
    appkit::View* previewView = nullptr;
    appkit::View* allResultView = nullptr;
    appkit::View* resultorSaveSeparatorView = nullptr;
    appkit::View* saveOrShareView = nullptr;
    appkit::View* statusView = nullptr;
    appkit::View* presetCountView = nullptr;
    appkit::View* imagesCountView = nullptr;
    appkit::View* durationView = nullptr;
    appkit::View* sizeView = nullptr;
    controls::PushButton* btnDoneOrCancel = nullptr;
    controls::PushButton* btnCancel = nullptr;
    // The close mark of a job that has ended (done or could not run), where btnCancel was.
    controls::PushButton* btnClose = nullptr;
    controls::PushButton* btnStatusGuard = nullptr;
    controls::PushButton* btnShowInFinder = nullptr;
    controls::PushButton* btnShare = nullptr;

    // Screen state.
    int countPressetProcessed = 0;
    int resizeCountForReview = 0;
    std::optional<cg::Rect> rectFrameToShowAfter;

    // Job starters: forwarded to the engine.
    void collectSourceFiles(const std::vector<core::PresetInfo>& presets,
                            const std::vector<std::filesystem::path>& urls,
                            std::optional<std::string> baseName, std::optional<std::int64_t> startIndex,
                            std::function<void(std::size_t found)> completion);
    void startJob(core::JobParameters params);
    // The screen shows for a job its starter begins a moment later: the job counts as running from
    // now on, until it is cancelled or its completion shows.
    void expectJob() { expectedJob_ = ExpectedJob::make(); }
    core::BatchEngine& engine() { return *engine_; }
    const core::BatchEngine& engine() const { return *engine_; }

    // The job's state, as the engine keeps it.
    bool bSkipPreview() const { return engine_->bSkipPreview(); }
    // While a job is expected its own stop counts; the engine's flag may still be the job's before.
    bool isGotCancel() const { return expectedJob_ ? expectedJob_->isCancelled() : engine_->isGotCancel(); }
    bool bProcessCompleted() const { return engine_->bProcessCompleted(); }
    // A job expected is let go by every stop (cancelActivity) and stopped by a quit; the engine's
    // own flag may still tell of the job before it, on a screen that runs one after another.
    bool isActivityRunning() const override {
        return (expectedJob_ && !expectedJob_->isCancelled()) || engine_->isRunning();
    }
    std::vector<core::SourceURLInfo> arrImageSet() const { return engine_->arrImageSet(); }
    std::vector<core::ResultGroupInfo> mArrResizedGroupedData() const {
        return engine_->mArrResizedGroupedData();
    }
    std::vector<core::ResultGroupInfo> mArrSkippedGroupedData() const {
        return engine_->mArrSkippedGroupedData();
    }
    // The outcome line of the last job that could not run; empty otherwise.
    const std::string& jobError() const { return jobError_; }

    // Actions.
    void onCancelActivity();
    void onSkipPreviewInProcess();
    void onShowInFinder();
    void onShare(QWidget* sender);

    // Operations.
    SizeListforResultVC* childSizeListforResultVC() const;
    // The image list showing the images still to process.
    screens::CollectionVC* embeddedCollectionVC() const;
    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Activity; }
    CollectionDoneorSkippedVC* doneResultsGrid() const;
    void resetForNewJob();
    void hidePreviewPanel();
    void skipPreview();
    void makeStatusText(const std::string& value, const std::string& unit, QLabel* label);
    void cancelActivity();
    void returnToParentScreen();
    void clearResults();
    void requestStoreReview();
    std::vector<core::ResultGroupInfo> combinedResultGroups() const;
    void showSharePicker(QWidget* sender);
    std::optional<image::Image> sizePreviewImage(const std::optional<image::Image>& image) const;
    void showLoadingImage(const image::Image& image, const cg::Rect& rect);
    void animatePreviewFrame(bool visible, const cg::Rect& rect);
    void endWorkingImagePreview(const image::Image& image);
    bool isRenameTabSelected() const;

    // core::ActivityScreen: what the engine calls, on the main queue.
    void showPreviewPanel() override;
    void reloadPresetTable(const std::vector<core::PresetInfo>& presets, int total) override;
    void prepareRing() override;
    cg::Rect previewRectangle() const override;
    void setRingProgress(double fraction) override;
    void showPresetHeader(const std::string& text) override;
    void loadProcessingList() override;
    void removeFirstItem(bool animated) override;
    void updateImageCountLabel(const std::vector<core::PresetInfo>& presetsStarted, int imageCount,
                               int processedCount) override;
    void showLoadingPreview(const image::Image& image, bool saliencyWanted) override;
    void showTargetFrame(const cg::Rect& frame, bool show) override;
    void previewPlaceholderImage(const image::Image& image) override;
    void previewWorkingImage(const image::Image& image) override;
    void previewEffectImage(const image::Image& image) override;
    void animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) override;
    void showJobTotals(const std::string& durationText, const std::string& sizeText) override;
    void showDoneState(const std::vector<core::PresetInfo>& presets) override;
    void deliverNotification(const std::optional<std::string>& title) override;
    void showJobError(const std::string& message) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

  private:
    void buildPreviewPanel(appkit::View* container);
    void buildStatusRow(appkit::View* container);
    void buildButtons(appkit::View* container);
    QWidget* ringBox() const;
    void setRingBoxX(double x, bool animated);
    // Places the preview panel and the ring's box in the width the screen has.
    void layoutPreviewArea();
    // Sizes the list of images still to do to its tiles, or puts a line in its place once it is empty.
    void fitImageList();
    // Hides the result table while it has no rows, so no caption stands over nothing.
    void showResultTableIfFilled();
    // Shows `mark` (the running or the ended job's close mark) in the corner, and the other not.
    void showCloseMark(controls::PushButton* mark);

    foundation::UserDefaults& defaults() const;

    std::shared_ptr<foundation::UserDefaults> defaults_;
    appkit::View* progressArea_ = nullptr;
    appkit::View* previewPanel_ = nullptr;
    QLabel* lblNextStep_ = nullptr;    // what to do after a job that could not run
    QLabel* lblListStatus_ = nullptr;  // in the emptied list's place: what the job is doing
    QLabel* lblRingCount_ = nullptr;   // in the ring: images done of all the ring counts
    int jobPresetCount_ = 0;
    appkit::View* tableContainer_ = nullptr;
    QPointer<QObject> watchedList_;   // the image list whose changes fit the list area
    bool listEmptiedByWork_ = false;  // the list emptied because its images were taken up
    bool processingPlaced_ = false;   // the processed image has a frame of its own
    std::shared_ptr<PreviewPacer> pacer_;
    std::unique_ptr<core::BatchEngine> engine_;
    std::vector<core::PresetInfo> lastPresets_;
    std::string jobError_;
    std::shared_ptr<ExpectedJob> expectedJob_;
};
