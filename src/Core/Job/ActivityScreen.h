#pragma once
// ActivityScreen: every operation of the activity screen that a running job calls. The engine calls
// these only on the main queue, with copies of its data; a screen never sees the worker's state.
// A headless run passes no screen.

#include <optional>
#include <string>
#include <vector>

#include "Core/Records/PresetInfo.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

class ActivityScreen {
  public:
    virtual ~ActivityScreen() = default;

    // Job start.
    virtual void showPreviewPanel() = 0;
    virtual void reloadPresetTable(const std::vector<PresetInfo>& presets, int imageCount) = 0;
    // Lays the ring's track and its blue bar when the ring has no bar yet.
    virtual void prepareRing() = 0;
    // The area where the current image is shown now (the job reads it at its start, and where a smart
    // crop falls back to a plain resize).
    virtual cg::Rect previewRectangle() const = 0;

    // Progress.
    virtual void setRingProgress(double fraction) = 0;
    virtual void showPresetHeader(const std::string& text) = 0;
    virtual void loadProcessingList() = 0;
    virtual void removeFirstItem(bool animated) = 0;
    virtual void updateImageCountLabel(const std::vector<PresetInfo>& presetsStarted, int imageCount,
                                       int processedCount) = 0;

    // Previews of the image being worked on (only while the preview panel is on).
    virtual void showLoadingPreview(const image::Image& image, bool saliencyWanted) = 0;
    // Stores the frame the result will be animated to, and shows it.
    virtual void showTargetFrame(const cg::Rect& frame, bool show) = 0;
    virtual void previewPlaceholderImage(const image::Image& image) = 0;
    virtual void previewWorkingImage(const image::Image& image) = 0;
    virtual void previewEffectImage(const image::Image& image) = 0;
    virtual void animateProcessedImageToFrame(const image::Image& image, const cg::Rect& frame) = 0;

    // Job end.
    virtual void showJobTotals(const std::string& durationText, const std::string& sizeText) = 0;
    virtual void showDoneState(const std::vector<PresetInfo>& presets) = 0;
    // The end-of-job notice; `title` is the application name when known.
    virtual void deliverNotification(const std::optional<std::string>& title) = 0;
    // A job that could not run (no images, no output folder) says why.
    virtual void showJobError(const std::string& message) = 0;
};

}  // namespace core
