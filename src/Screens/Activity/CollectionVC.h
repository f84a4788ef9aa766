#pragma once
// CollectionVC: the image list. It shows the process-wide image list (or, on the activity screen, a
// private copy that shrinks as a job runs) as a grid of thumbnails or as a table, adds images from
// the open panel and from drops, keeps the selection and the item marks, removes images, previews
// them in the QuickLook panel and keeps the buttons and label of the pane around it up to date. The
// embedding screen (an ImageListHost, its parent) decides its role.
//
// Threading: main thread only. Collecting added images runs on the global queue and thumbnails are
// made on the "PreviewQueue" operation queue; their results come back to the main queue and are
// dropped when the list, or the item they were made for, has gone.

#include <QPointer>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/Dispatch/OperationQueue.h"
#include "Screens/Activity/ImageListRole.h"

namespace controls {
class PushButton;
}
class QKeyEvent;

namespace screens {

class ImageItemView;
class ImageListHost;
class ListAddition;
class ImageListShell;

class CollectionVC : public appkit::ViewController,
                     public appkit::CollectionViewDataSource,
                     public appkit::CollectionViewDelegate,
                     public appkit::TableViewDataSource {
    Q_OBJECT
  public:
    CollectionVC();
    ~CollectionVC() override;

    // Outlets.
    QPointer<appkit::CollectionView> collImages;
    QPointer<appkit::View> noImages;
    QPointer<appkit::TableView> tableView;
    QPointer<appkit::View> headerViewForTable;
    QPointer<appkit::View> viewForDragDrop;

    std::vector<int> arrItemsInt;  // numbers of the marked items
    bool bSelectAllMode = false;
    bool bIsInActivityMode = false;
    double frameSize = 100.0;  // side of a grid item on the Advanced and Bulk tabs
    bool bAddingImagesNow = false;
    std::set<int> mSetIdxSelected;  // the selection of the grid or the table
    std::optional<std::vector<core::SourceURLInfo>> arrImgListForProcessing;

    ImageListRole role() const { return role_; }
    // The list shown: the private copy in activity mode, the shared image list otherwise.
    std::vector<core::SourceURLInfo> displayedList() const;
    int displayedCount() const;

    // Role and layout; retried on later main-queue turns until the controller has a parent.
    virtual void setUpView();
    virtual bool canAcceptImages() const;

    // Activity mode.
    virtual void removeFirstItem(bool animated);
    virtual void loadProcessingList();

  Q_SIGNALS:
    // The activity screen's copy of the list was loaded or lost an item (after its slide, if animated).
    void processingListChanged();

  public:
    // Actions.
    void onAddorPreviewImages(controls::PushButton& sender) { handleAddOrSelectButton(sender); }
    void onClearSelected() { removeSelectedImages(); }
    void onSelectAll() { toggleAllChecks(); }
    void showImagePreView() { showPreviewFromButton(); }
    void onBrowseFiles() { browseForImages(); }

    virtual void handleAddOrSelectButton(controls::PushButton& sender);
    // The thumbnail ready to show now; absent while it still has to be made.
    virtual std::optional<QImage> thumbnailImage(const core::SourceURLInfo& record) const;
    // Fills an item or row view with the image at `index` of `list`; with namesOnly, only the output
    // name.
    virtual void configureImageItem(ImageItemView& view, int index,
                                    const std::vector<core::SourceURLInfo>& list, bool namesOnly);
    virtual void reloadAllItems();
    // The space bar previews the selection; Delete removes the chosen images. Only while the grid or
    // the table has the focus; other keys and other focus are passed on.
    virtual bool handleKeyDown(QKeyEvent& event);
    virtual void selectAllImages();
    virtual void deselectAllImages();
    virtual void updateDeleteAndAddButtons();
    virtual void notifyParentsOfImageCount(bool selectionOnly);
    virtual void notifyParentOfSelection();

    void showPreviewFromButton();
    void browseForImages();

    // Adding images: returns at once; the files are collected on the global queue. The list's own
    // doors (its add button, drops) go through the pane's entry (ImageListHost::addImages) instead.
    // `addition`, when given, learns whether the images joined this list.
    void addImages(const std::vector<std::string>& urls, std::shared_ptr<ListAddition> addition = {});
    void addImagesFromURLs(const std::vector<std::string>& urls) { addImages(urls); }
    void finishAddingImages(const std::vector<core::SourceURLInfo>& batch);

    // Selection, marks and removal.
    void applyGridSelectionChange(const std::set<int>& indexes, bool selected);
    void tableSelectionChanged();
    void toggleAllChecks();
    // Removes the marked images, or the selected ones when nothing is marked. On a tab whose job
    // works on this list, the pane asks first while the job runs.
    void removeSelectedImages();
    // The item numbers the delete button acts on: the marks, or the selection when nothing is marked.
    std::set<int> itemsForRemoval() const;

    // Data source and delegates.
    int numberOfItems(appkit::CollectionView& view) override;
    std::shared_ptr<appkit::CollectionViewItem> itemForIndex(appkit::CollectionView& view,
                                                             int index) override;
    void didSelectItems(appkit::CollectionView&, const std::set<int>& indexes) override;
    void didDeselectItems(appkit::CollectionView&, const std::set<int>& indexes) override;
    int numberOfRows(appkit::TableView& table) override;
    QWidget* viewForRow(appkit::TableView& table, int row) override;
    QWidget* rowViewForRow(appkit::TableView& table, int row) override;
    double heightOfRow(appkit::TableView& table, int row) override;
    void selectionDidChange(appkit::TableView& table) override;

    cg::Size itemSize() const;
    // Thumbnails of this list still being made in the background (their delivery is posted by then).
    int thumbnailsInFlight() const { return previewQueue_->operationCount(); }

  protected:
    void loadView() override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ImageListHost* host() const;
    ImageListShell* shell() const;
    bool takeRole();
    void applyEmptyViewRule();
    void applyHighlight(QWidget& view, bool selected);
    std::optional<core::SourceURLInfo> displayedRecord(int index) const;
    void configure(ImageItemView& view, int index, const std::optional<core::SourceURLInfo>& record,
                   bool namesOnly);
    void loadThumbnailLater(const core::SourceURLInfo& record);
    void deliverThumbnail(const foundation::UUID& id, const QImage& image);
    void reloadSiblingList();
    void joinWhenAllowed(const std::vector<core::SourceURLInfo>& batch, std::uint64_t generation,
                         std::shared_ptr<ListAddition> addition);
    void addImagesThroughPane(const std::vector<std::string>& urls);
    void removeFirstRecord(const std::optional<foundation::UUID>& id);
    void removeItemsForRemoval();
    void watchDrops();
    void layoutList();

    ImageListRole role_ = ImageListRole::None;
    bool roleTaken_ = false;
    std::shared_ptr<dispatch::OperationQueue> previewQueue_;
    std::vector<QPointer<ImageItemView>> itemViews_;
};

// The selected-menu-item colour of the grid's highlight.
cg::Color selectedMenuItemColor();

}  // namespace screens
