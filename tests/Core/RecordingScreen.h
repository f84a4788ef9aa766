#pragma once
// A screen that records every call the engine makes on it, in order, for tests.

#include <mutex>
#include <string>
#include <vector>

#include "Core/Job/ActivityScreen.h"

namespace testsupport {

class RecordingScreen : public core::ActivityScreen {
  public:
    std::vector<std::string> calls;
    std::vector<double> ringProgress;
    std::vector<std::string> headers;
    std::vector<bool> removals;     // the animated flag of each removeFirstItem
    std::vector<cg::Rect> flights;  // the frame of each animateProcessedImageToFrame
    std::vector<int> processedCounts;
    int previewPanels = 0;
    int notifications = 0;
    std::optional<std::string> notificationTitle;
    std::string durationText, sizeText, error;
    bool doneState = false;
    cg::Rect previewArea{0, 0, 320, 190};
    // Where the preview area moves once it shows an image, as the activity screen's grows into place.
    std::optional<cg::Rect> previewAreaOnceShowing;

    void showPreviewPanel() override {
        note("showPreviewPanel");
        ++previewPanels;
    }
    void reloadPresetTable(const std::vector<core::PresetInfo>& presets, int imageCount) override {
        note("reloadPresetTable " + std::to_string(presets.size()) + " " + std::to_string(imageCount));
    }
    void prepareRing() override { note("prepareRing"); }
    cg::Rect previewRectangle() const override { return previewArea; }
    void setRingProgress(double f) override { ringProgress.push_back(f); }
    void showPresetHeader(const std::string& text) override { headers.push_back(text); }
    void loadProcessingList() override { note("loadProcessingList"); }
    void removeFirstItem(bool animated) override { removals.push_back(animated); }
    void updateImageCountLabel(const std::vector<core::PresetInfo>&, int, int processed) override {
        processedCounts.push_back(processed);
    }
    void showLoadingPreview(const image::Image&, bool) override {
        note("showLoadingPreview");
        if (previewAreaOnceShowing) previewArea = *previewAreaOnceShowing;
    }
    void showTargetFrame(const cg::Rect&, bool) override { note("showTargetFrame"); }
    void previewPlaceholderImage(const image::Image&) override { note("previewPlaceholderImage"); }
    void previewWorkingImage(const image::Image&) override { note("previewWorkingImage"); }
    void previewEffectImage(const image::Image&) override { note("previewEffectImage"); }
    void animateProcessedImageToFrame(const image::Image&, const cg::Rect& frame) override {
        note("animateProcessedImageToFrame");
        flights.push_back(frame);
    }
    void showJobTotals(const std::string& duration, const std::string& size) override {
        durationText = duration;
        sizeText = size;
    }
    void showDoneState(const std::vector<core::PresetInfo>&) override {
        note("showDoneState");
        doneState = true;
    }
    void deliverNotification(const std::optional<std::string>& title) override {
        ++notifications;
        notificationTitle = title;
    }
    void showJobError(const std::string& message) override {
        note("showJobError");
        error = message;
    }

    int count(const std::string& call) const {
        int n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }

  private:
    void note(std::string call) { calls.push_back(std::move(call)); }
};

}  // namespace testsupport
