#pragma once
// TabListPaneVC: the left-hand pane of the Rename and Bulk tabs and the screen that holds the whole
// tab. It embeds the image list (child 0) with a top bar (select all, remove, preview) and a
// selection label, and the tab's options container (child 1) beside it. It keeps the pane's select-all and
// delete buttons and its label in step with the list, and stands for the tab when the tab switcher looks for
// a running job. Main thread only.

#include <QPointer>
#include <string>
#include <vector>

#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ImageListHost.h"

class QLabel;
class QSlider;
class QHBoxLayout;
class ActivityVC;
class OptionsHolderVC;
namespace controls {
class Button;
}

class TabListPaneVC : public appkit::ViewController, public screens::ImageListHost {
    Q_OBJECT
  public:
    // Outlets, made by loadView.
    controls::Button* btnSelectAll = nullptr;
    controls::Button* btnDelete = nullptr;
    controls::Button* btnPreview = nullptr;
    QLabel* lblPathorCount = nullptr;
    appkit::View* stackViewTop = nullptr;

    void onSelectAll();
    void onClearSelected();
    void updateSelectionLabel(const std::vector<int>& selectedItems) override;
    QWidget* selectAllButton() override;
    QWidget* deleteButton() override;
    QWidget* previewButton() override;

    OptionsHolderVC* holder() const;
    // The activity screen of this tab while it is shown.
    ActivityVC* activityVC() const;

  protected:
    TabListPaneVC(std::string holderScene, QString title);
    void loadView() override;
    void viewDidLoad() override;
    // Adds the tab's own items to the top bar, after the title.
    virtual void addTopBarItems(QHBoxLayout& /*bar*/) {}
    // The width the options column takes: that of the preset list's activity panel, which the
    // activity screen is laid out for.
    static constexpr int kOptionsWidth = 350;

  private:
    std::string holderScene_;
    QString title_;
    appkit::View* listContainer_ = nullptr;
    appkit::View* holderContainer_ = nullptr;
};
