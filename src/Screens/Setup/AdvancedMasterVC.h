#pragma once
// AdvancedMasterVC: the Advanced tab: its image list (grid or table) with select all, delete, the
// item-size slider, the grid/table switch, the selection label, the preview and add buttons, and
// beside it the container of the options pane. It rearranges itself with the window's width. Images
// reach its list only through `addImages` (the open panel, the menu, drops, files opened from the
// file manager), which asks before a running job would be stopped by them. Main thread only.

#include <QLabel>
#include <QPointer>
#include <QSlider>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Controls/Button.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "Screens/Activity/ImageListHost.h"

class AdvancedHolderVC;

class AdvancedMasterVC : public appkit::ViewController, public screens::ImageListHost {
    Q_OBJECT
  public:
    // The notification the application posts on every resize of the main window.
    static constexpr char kWindowResized[] = "onWindowResized";

    AdvancedMasterVC();
    ~AdvancedMasterVC() override;

    // The tab switcher learns that this screen shows the Advanced tab; set by the application.
    std::function<void()> didLoad;

    QPointer<controls::Button> btnSelectAll;
    QPointer<controls::Button> btnDelete;
    QPointer<QSlider> slideFrameSize;
    QPointer<QLabel> lblPathorCount;
    QPointer<appkit::SegmentedControl> segColOrTbl;
    QPointer<QWidget> stackViewBottom;
    QPointer<controls::Button> btnAddImages;
    QPointer<controls::Button> btnPreview;
    std::optional<double> framewidthPrev;

    AdvancedHolderVC* holder() const;
    // The views of the bottom bar that follow the width: select/delete, the slider row, the switch.
    std::vector<QWidget*> bottomBarViews() const;

    virtual void applyWindowWidth();
    virtual void applyCompactLayout(bool compact);
    virtual void applyFrameSize(double side);
    virtual void switchGridOrTable(int segment);
    void onAddOrPrevImg();

    // ImageListHost
    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Advanced; }
    QWidget* selectAllButton() override { return btnSelectAll; }
    QWidget* deleteButton() override { return btnDelete; }
    QWidget* previewButton() override { return btnPreview; }
    void confirmListChange(screens::ListChange kind, std::function<void()> change) override;
    void updateSelectionLabel(const std::vector<int>& selectedItems) override;
    void notifyActivityVC() override;
    bool isActivityRunning() const override;
    void refreshEffectPreviewImage() override;
    screens::CollectionVC* siblingImageList() override;

  protected:
    void loadView() override;
    void viewDidLoad() override;

  private:
    foundation::NotificationCenter::Token resizeObservation_;
};
