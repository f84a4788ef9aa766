#pragma once
// BulkResizerVC: the Bulk tab's options: a width and a height typed on the spot, or a percentage of
// each image's size, resize or crop to fill, and the saliency choice. Proceed turns them into the
// one-off preset "forBulk" (never saved) and runs it on every image of the list, after making sure
// of an output folder. Main thread only; the job counts as running from Proceed and starts on the
// activity screen half a second after it has slid up.

#include <optional>
#include <vector>

#include "Core/Records/PresetInfo.h"
#include "Core/Records/SourceURLInfo.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Setup/JobStart.h"

class QLabel;
class QSlider;
class ActivityVC;
namespace appkit {
class SegmentedControl;
}
namespace controls {
class Button;
class CheckBox;
class TextField;
}  // namespace controls
namespace foundation {
class UserDefaults;
}

class BulkResizerVC : public appkit::ViewController {
    Q_OBJECT
  public:
    explicit BulkResizerVC(foundation::UserDefaults& defaults);

    // Outlets, made by loadView.
    controls::CheckBox* btnSaliency = nullptr;
    controls::TextField* txtWidth = nullptr;
    controls::TextField* txtHeight = nullptr;
    QSlider* sliderPercent = nullptr;
    QLabel* lblPercent = nullptr;
    appkit::SegmentedControl* segResizeCrop = nullptr;
    controls::Button* btnProceed = nullptr;

    void onPercentageChanged() { clearSizeFields(); }
    void onChangeInTextField(QObject* sender) { sizeFieldChanged(sender); }
    void onProceed();

    void clearSizeFields();
    void sizeFieldChanged(QObject* sender);
    std::optional<core::PresetInfo> makeBulkPreset() const;
    void startBulkJob(const core::PresetInfo& preset);
    void startActivity(ActivityVC& activity, const core::PresetInfo& preset,
                       const std::vector<core::SourceURLInfo>& images);

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    void storeNoPercentage();
    void showPercentage();

    foundation::UserDefaults& defaults_;
    setup::JobStart jobStart_;
};
