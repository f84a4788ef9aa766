#pragma once
// CollectionDoneorSkippedVC: the results of a job, one item per image with its output thumbnail,
// file name and size, a red border on skipped images. It is the done grid of the activity screen
// (bIsDone) and, slid in over it, the results of one preset. It hides skipped items on request, has
// a selection mode, shares the written files and feeds the preview panel. On the Rename tab it shows
// the items in a table. Main thread only; thumbnails are made on the "PreviewQueue".

#include <QPointer>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Core/Job/ResultInfo.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Dispatch/OperationQueue.h"

class QLabel;
namespace controls {
class PushButton;
}

class CollectionDoneorSkippedVC : public appkit::ViewController,
                                  public appkit::CollectionViewDataSource,
                                  public appkit::CollectionViewDelegate,
                                  public appkit::TableViewDataSource {
    Q_OBJECT
  public:
    CollectionDoneorSkippedVC();
    ~CollectionDoneorSkippedVC() override;

    appkit::CollectionView* collImages = nullptr;
    appkit::TableView* tableView = nullptr;
    appkit::View* headerViewForTable = nullptr;
    controls::PushButton* btnShowHideSkipped = nullptr;
    controls::PushButton* btnSelect = nullptr;
    controls::PushButton* btnShare = nullptr;
    controls::PushButton* btnDone = nullptr;
    controls::PushButton* btnPreview = nullptr;
    QLabel* lblTitle = nullptr;

    bool bIsDone = false;
    bool bhasSkippedImg = false;
    std::vector<int> arrItemsInt;
    std::vector<core::ResultItemInfo> arrImages;
    std::vector<core::ResultItemInfo> arrImagesAll;
    std::set<int> mSetIdxSelected;
    bool bSelectMode = false;

    // What loading the view does, again after new items arrived: reload, remember all items, scan.
    void reloadContent();
    // Reloads the grid (and the table) after arrImages changed.
    void reloadGrid();

    // Actions.
    void onDone() { returnToSibling(); }
    void showHideSkippedImg(controls::PushButton* sender) { toggleSkipped(sender); }
    void onSelectDeselect(controls::PushButton* sender) { toggleSelectMode(sender); }
    void onShare(QWidget* sender);
    void onLoadOrPreview();

    void returnToSibling();
    void toggleSkipped(controls::PushButton* sender);
    void toggleSelectMode(controls::PushButton* sender);
    void configureResultItem(appkit::View* view, int item);
    void scanForSkipped();
    void applySkippedButtonState();
    std::vector<std::string> shareURLs() const;
    std::string previewURL(int index) const;
    // The index the preview panel starts at: the first selected item, or 0; -1 without items.
    int beginPreviewPanelControl() const;
    cg::Size itemSize() const;

    // Data sources.
    int numberOfItems(appkit::CollectionView& view) override;
    std::shared_ptr<appkit::CollectionViewItem> itemForIndex(appkit::CollectionView& view,
                                                             int index) override;
    void didSelectItems(appkit::CollectionView& view, const std::set<int>& indexes) override;
    void didDeselectItems(appkit::CollectionView& view, const std::set<int>& indexes) override;
    int numberOfRows(appkit::TableView& table) override;
    QWidget* viewForRow(appkit::TableView& table, int row) override;
    double heightOfRow(appkit::TableView&, int) override { return 48; }

  protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void markSelection(const std::set<int>& indexes, bool selected);
    // A click on the grid in selection mode: toggles the tile under it. False outside selection mode.
    bool chooseTileAt(QPoint viewportPoint);
    void setItemHighlighted(appkit::CollectionViewItem& item, bool selected);
    // The tile's selection ring: shown in selection mode only, filled when the tile is chosen.
    void showSelectionMark(appkit::View* itemView, bool selected) const;
    void loadResultThumbnail(bool renameTab, const core::SourceURLInfo& record, double side,
                             QPointer<QWidget> imageView);
    void applyItemSize();

    QPointer<QWidget> gridViewport_;  // where clicks choose tiles in selection mode
    std::shared_ptr<dispatch::OperationQueue> previewQueue_;
    std::shared_ptr<bool> alive_ = dispatch::makeVisiblyShared<bool>(true);
};
