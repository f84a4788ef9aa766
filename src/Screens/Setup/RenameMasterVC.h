#pragma once
// RenameMasterVC: the Rename tab. Its list pane shows the images as a table of their names, sizes
// and new names; beside it, the rename options. On a narrow window the top bar's items and the
// table's column titles give way to the list. Images are not taken while the activity screen shows.
// Main thread only.

#include <functional>
#include <optional>

#include "Platform/Foundation/NotificationCenter.h"
#include "Screens/Setup/TabListPaneVC.h"

class RenameMasterVC : public TabListPaneVC {
    Q_OBJECT
  public:
    RenameMasterVC();

    // The main window's width at the last layout pass; empty until the first.
    std::optional<double> framewidthPrev;
    // The application registers the pane with the tab switcher when its view loads.
    std::function<void(RenameMasterVC&)> didLoad;

    screens::ImageListRole imageListRole() const override { return screens::ImageListRole::Rename; }
    void adaptToWindowWidth();
    void onWindowResizedWithNotification(const foundation::Notification&) { adaptToWindowWidth(); }
    // The list changed: the activity screen goes away and every image gets its new name.
    void notifyActivityVC() override;
    // True while the activity screen shows, also after its job has ended.
    bool isActivityRunning() const override;
    // Asks before adding or removing images stops a run that is still going.
    void confirmListChange(screens::ListChange kind, std::function<void()> change) override;
    // Also keeps PROCEED greyed while there is no image to rename.
    void updateSelectionLabel(const std::vector<int>& selectedItems) override;
    void onAddOrPrevImg();

  protected:
    void addTopBarItems(QHBoxLayout& bar) override;
    void viewDidLoad() override;

  private:
    foundation::NotificationCenter::Token resizeObservation_;
};
