#pragma once
// BulkMasterVC: the Bulk tab. Its list pane shows the images as a grid of marked thumbnails whose
// size follows the pane's slider; beside it, the Bulk options container. Main thread only.

#include "Screens/Setup/TabListPaneVC.h"

class BulkMasterVC : public TabListPaneVC {
    Q_OBJECT
  public:
    BulkMasterVC();

    QSlider* slideFrameSize = nullptr;

    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Bulk; }
    void onChangeFrameSize() { applyFrameSize(); }
    void applyFrameSize();

  protected:
    void addTopBarItems(QHBoxLayout& bar) override;
};
