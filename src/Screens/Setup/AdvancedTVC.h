#pragma once
// AdvancedTVC: the options pane of the Advanced tab: a small grid of the image list (shown in the
// compact layout), the sizes of the run, the effects grid, the output-format row and the rename
// row, grouped by a segmented control, and Start. Start makes sure of an output folder (asking
// when none is known or it has gone), slides the activity screen up in the tab's container and,
// half a second later, starts one job with every chosen size (or the placeholder preset), the
// images, the format and the chosen effect. Main thread only.

#include <QLabel>
#include <QPointer>
#include <functional>
#include <memory>

#include "Controls/Button.h"
#include "Controls/TextField.h"
#include "Core/Effects/FMFilterable.h"
#include "Platform/AppKit/LayoutConstraint.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Setup/FormatSelectionView.h"
#include "Screens/Setup/JobStart.h"
#include "Screens/Setup/RenameOptionTVC.h"

namespace foundation {
class UserDefaults;
}
namespace screens {
class CollectionVC;
}
class ActivityVC;
class EffectCollectionVC;
class SizeListVC;

class AdvancedTVC : public appkit::ViewController,
                    public screens::ImageListHost,
                    public OutputFormatHolder,
                    public RenamePreviewReceiver {
    Q_OBJECT
  public:
    // `settings`: where the output folder is remembered and the presets are saved; not owned.
    explicit AdvancedTVC(foundation::UserDefaults& settings);

    // The Cancel Activity menu item is pointed at this tab's job; set by the application.
    std::function<void()> activityDidStart;

    QPointer<appkit::SegmentedControl> segBtn;
    QPointer<controls::Button> btnAddManage;
    QPointer<controls::Button> btnProceed;
    appkit::LayoutConstraint* cnstPresetHeight = nullptr;
    appkit::LayoutConstraint* cnstEffectsHeight = nullptr;
    QPointer<QWidget> imgCollView;
    QPointer<QWidget> effectsView;
    QPointer<QWidget> resizeView;
    QPointer<QWidget> formatView;
    QPointer<QWidget> renameView;  // its tag-1 field shows the rename preview
    // The rename pane's preview of the new names, shown in the rename row.
    void takeRenamePreview(const std::string& previewText) override;
    bool isAutoEnhanced = false;
    // The effect chosen in the effects grid; none for "Original".
    std::shared_ptr<const core::FMFilterable> filterForUseNow;

    virtual void showRowsForSegment(int segment);
    virtual void showRenameOptions();
    SizeListVC* sizeListVC() const;
    screens::CollectionVC* collectionVC() const;
    EffectCollectionVC* effectCollectionVC() const;
    void refreshEffectPreviewImage() override;
    void onAddOrPrevImg();
    void chooseSavingLocationAndProceed();
    void beginActivity(ActivityVC& activity);
    virtual void startProcessing(ActivityVC& activity);

    // ImageListHost
    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::AdvancedOptions; }
    void setAddManageImage(const std::string& name) override;
    screens::CollectionVC* siblingImageList() override;

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    foundation::UserDefaults& settings_;
    setup::JobStart jobStart_;
};
