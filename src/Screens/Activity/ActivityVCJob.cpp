// What the activity screen shows of a running job and how it ends: the counters, the result table,
// the ring, the done state, cancel and leaving the screen, Show in Finder and Share.

#include <QLabel>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "Controls/PushButton.h"
#include "Core/Job/ResultGroups.h"
#include "Extensions/AppKit/ViewControllerHelpers.h"
#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/Workspace.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityHostScreen.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CloseActivityAlert.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/JobErrorAdvice.h"
#include "Screens/Activity/ResultSharing.h"
#include "Screens/Activity/SizeListforResultVC.h"
#include "Screens/Activity/StatusText.h"

void ActivityVC::onCancelActivity() {
    // Every way to stop a running job asks first; a finished screen, or one whose job is already
    // winding down, just closes.
    appkit::Window* sheetWindow = isViewLoaded() ? window() : nullptr;
    if (sheetWindow && isActivityRunning() && !isGotCancel()) {
        confirmCloseActivity(sheetWindow, this, this);
        return;
    }
    cancelActivity();
}

void ActivityVC::onSkipPreviewInProcess() {
    skipPreview();
}

void ActivityVC::onShowInFinder() {
    if (const auto folder = engine_->finalizeOutputFolder())
        appkit::Workspace::shared().openFolder(folder->string());
}

void ActivityVC::onShare(QWidget* sender) {
    showSharePicker(sender);
}

void ActivityVC::makeStatusText(const std::string& value, const std::string& unit, QLabel* label) {
    if (!label) return;
    label->setText(QString());
    label->setText(statusTextHtml(value, unit, label->palette()));
}

void ActivityVC::reloadPresetTable(const std::vector<core::PresetInfo>& presets, int total) {
    if (auto* table = childSizeListforResultVC()) {
        table->mArrPresetResult = engine_->presetResultRows(presets, total);
        table->reloadTable();
    }
    showResultTableIfFilled();
    countPressetProcessed = static_cast<int>(presets.size());
    makeStatusText(std::to_string(countPressetProcessed), "Preset", lblPresets);
    appkit::animator(*cnstPresetListHeight).setConstant(countPressetProcessed * 40.0 + 30.0);
}

void ActivityVC::prepareRing() {
    if (!circularViewProgressView) return;
    if (!circularViewProgressView->bars().empty()) return;
    circularViewProgressView->addTrackBar(cg::Color::clear(), 90.0, -270.0, 60.0, 10.0);
    circularViewProgressView->addBar(cg::Color{0.0, 0.478, 1.0, 1.0}, 90.0, -270.0, 0.0, 60.0, 10.0, 0.0,
                                     0.4f, 8.0);
}

void ActivityVC::setRingProgress(double fraction) {
    if (auto* bar = circularViewProgressView ? circularViewProgressView->barAt(0) : nullptr)
        bar->animateStrokeEnd(fraction, 0);
    // The arc runs over every image of every preset; its label names both figures.
    const auto total = static_cast<long>(engine_->imageSetCount()) * jobPresetCount_;
    if (total > 0)
        lblRingCount_->setText(
            QString("%1 of %2").arg(std::lround(std::clamp(fraction, 0.0, 1.0) * total)).arg(total));
}

void ActivityVC::showPresetHeader(const std::string& text) {
    lblHeader->setText(QString::fromStdString(text));
}

screens::CollectionVC* ActivityVC::embeddedCollectionVC() const {
    return collectionVCEmbeded.data();
}

void ActivityVC::loadProcessingList() {
    listEmptiedByWork_ = false;
    if (auto* list = embeddedCollectionVC()) list->loadProcessingList();
    fitImageList();
}

void ActivityVC::removeFirstItem(bool animated) {
    listEmptiedByWork_ = true;
    if (auto* list = embeddedCollectionVC()) list->removeFirstItem(animated);
    fitImageList();
}

void ActivityVC::updateImageCountLabel(const std::vector<core::PresetInfo>& presetsStarted, int imageCount,
                                       int processedCount) {
    reloadPresetTable(presetsStarted, imageCount);
    makeStatusText(std::to_string(processedCount), "Images", lblImages);
}

void ActivityVC::showJobTotals(const std::string& durationText, const std::string& sizeText) {
    makeStatusText(durationText, "", lblDuration);
    makeStatusText(sizeText, "", lblSize);
}

void ActivityVC::showDoneState(const std::vector<core::PresetInfo>& presets) {
    lastPresets_ = presets;
    const bool rename = isRenameTabSelected();
    if (circularViewProgressView && !circularViewProgressView->subviews().empty())
        circularViewProgressView->subviews().front()->show();
    // The finished mark takes the middle of the ring.
    lblRingCount_->clear();
    appkit::AnimationContext::runAnimationGroup([&](appkit::AnimationContext&) {
        appkit::animator(*allImageView).setHidden(true);
        appkit::animator(*previewView).setHidden(true);
        appkit::animator(*progressArea_).setHidden(true);
        appkit::animator(*allResultView).setHidden(rename);
        appkit::animator(*resultorSaveSeparatorView).setHidden(!rename);
        appkit::animator(*saveOrShareView).setHidden(false);
        appkit::animator(*durationView).setHidden(false);
        appkit::animator(*sizeView).setHidden(false);
    });
    btnDoneOrCancel->setText("DONE");
    // A cancelled job says so; it did not complete.
    lblHeader->setText(engine_->isGotCancel() ? "Cancelled" : "Completed");
    showCloseMark(btnClose);
    btnStatusGuard->hide();
    if (auto* grid = doneResultsGrid()) {
        grid->arrImages = engine_->doneResultsGrid(presets, rename);
        grid->reloadGrid();
    }
    if (!defaults().boolean("Reviewd")) {
        if (++resizeCountForReview == 5) appkit::postToMainAfter(this, 1.0, [this] { requestStoreReview(); });
    }
}

void ActivityVC::requestStoreReview() {
    // No store to ask on this platform: the request is recorded so it is made at most once.
    defaults().set("Reviewd", foundation::PlistValue(true));
    defaults().synchronize();
}

void ActivityVC::deliverNotification(const std::optional<std::string>& title) {
    if (const auto& deliver = ActivityHooks::shared().deliverNotification)
        deliver(title, "It's done.", "Show");
}

void ActivityVC::showJobError(const std::string& message) {
    // A job that could not run says why; it never claims to have completed.
    jobError_ = message;
    lblHeader->setText(QString::fromStdString(message));
    lblNextStep_->setText(QString::fromStdString(nextStepAfterJobError(message)));
    lblNextStep_->show();
    // Nothing is being previewed any more: the panel and its Skip Preview bar go.
    hidePreviewPanel();
    previewView->hide();
    // No image was worked on: the list and preview region gives its room to the message.
    progressArea_->hide();
    allResultView->hide();
    saveOrShareView->hide();
    btnDoneOrCancel->setText("DONE");
    showCloseMark(btnClose);
    btnStatusGuard->hide();
}

void ActivityVC::cancelActivity() {
    if (auto* holder = dynamic_cast<ActivityHolderVC*>(parent()); holder && holder->children().size() == 2)
        viewcontroller::transitionToSibling(*holder->children()[1], appkit::TransitionOption::SlideRight, 0);
    if (const auto& clear = ActivityHooks::shared().clearCancelActivityMenuItem) clear();
    expectedJob_.reset();
    engine_->cancelActivity();
    returnToParentScreen();
}

void ActivityVC::returnToParentScreen() {
    if (circularViewProgressView && circularViewProgressView->bars().size() == 1)
        circularViewProgressView->bars().front()->setProgress(0);
    // Leaving the screen never leaves its job running unseen.
    if (isActivityRunning()) {
        expectedJob_.reset();
        engine_->cancelActivity();
    }
    auto* holder = parent();
    if (!holder) return;
    auto* screen = dynamic_cast<ActivityHostScreen*>(holder->parent());
    if (!screen) return;
    switch (screen->activityHostKind()) {
        case ActivityHostScreen::Kind::TabHolder:
            viewcontroller::transitionToSibling(*holder, appkit::TransitionOption::SlideDown, 0);
            break;
        case ActivityHostScreen::Kind::PresetList:
            clearResults();
            screen->hideActivityPanel();
            break;
    }
}

void ActivityVC::clearResults() {
    if (auto* list = embeddedCollectionVC()) {
        if (list->arrImgListForProcessing) list->arrImgListForProcessing->clear();
        if (list->collImages) list->collImages->reloadData();
    }
    if (auto* grid = doneResultsGrid()) {
        grid->arrImages.clear();
        grid->reloadGrid();
    }
}

std::vector<core::ResultGroupInfo> ActivityVC::combinedResultGroups() const {
    const auto* table = childSizeListforResultVC();
    if (!table || table->mArrPresetResult.empty()) return {};
    return engine_->groupedResults(table->mArrPresetResult);
}

void ActivityVC::showSharePicker(QWidget* sender) {
    // Results chosen in the grid's selection mode are shared alone; otherwise the job's results.
    if (const auto* grid = doneResultsGrid(); grid && grid->bSelectMode && !grid->arrItemsInt.empty()) {
        results::presentSharePicker(grid->shareURLs(), sender);
        return;
    }
    results::presentSharePicker(results::shareablePaths(core::resultItems(0, combinedResultGroups())),
                                sender);
}
