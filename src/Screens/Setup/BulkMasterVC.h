#pragma once
// BulkMasterVC: the Bulk tab. Its list pane shows the images as a grid of marked thumbnails whose
// size follows the pane's slider; beside it, the Bulk options container. The list takes more images
// at any time (its Add Images button, drops, the menu): a job runs on its own copy of the list, so
// new images never stop it. Main thread only.

#include "Screens/Setup/TabListPaneVC.h"

class BulkMasterVC : public TabListPaneVC {
    Q_OBJECT
  public:
    BulkMasterVC();

    QSlider* slideFrameSize = nullptr;
    // Shown while the list holds images; the empty list has its own.
    controls::Button* btnAddImages = nullptr;

    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Bulk; }
    QWidget* addButtonWhileListed() override;
    void onChangeFrameSize() { applyFrameSize(); }
    void applyFrameSize();
    void onAddOrPrevImg();

  protected:
    void addTopBarItems(QHBoxLayout& bar) override;
};
