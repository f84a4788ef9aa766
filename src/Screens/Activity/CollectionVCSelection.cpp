// CollectionVC: the selection of the grid or table, the item marks, removal, and the buttons and
// label of the pane around the list.
//
// The delete button and the remove command act on one set, and the button shows exactly when that
// set is not empty: the marked items when any item is marked, otherwise the selected ones.

#include <QPointer>

#include "Controls/PushButton.h"

#include "Core/Records/SharedLists.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageListShell.h"

namespace screens {
namespace {

constexpr int kAddButtonTag = 1;
constexpr int kRenameTab = 2;

// The marks that remain after removing `removed`, renumbered to the shortened list.
std::vector<int> marksAfterRemoval(const std::vector<int>& marks, const std::set<int>& removed) {
    std::vector<int> kept;
    for (int mark : marks) {
        if (removed.count(mark) != 0) continue;
        const auto below = std::distance(removed.begin(), removed.lower_bound(mark));
        kept.push_back(mark - static_cast<int>(below));
    }
    return kept;
}

}  // namespace

// Marks.

void CollectionVC::handleAddOrSelectButton(controls::PushButton& sender) {
    if (appkit::View::tagOf(&sender) == kAddButtonTag) {
        browseForImages();
        return;
    }
    if (role_ == ImageListRole::AdvancedOptions) {
        updateDeleteAndAddButtons();
        return;
    }
    const auto context = markContext(sender);
    if (!context) return;
    const int item = context->item;
    const bool listed = std::find(arrItemsInt.begin(), arrItemsInt.end(), item) != arrItemsInt.end();
    if (sender.isChecked() && !listed) arrItemsInt.push_back(item);
    if (!sender.isChecked()) std::erase(arrItemsInt, item);
    if (collImages)
        if (auto* shown = collImages->itemAtIndex(item))
            if (auto* itemView = qobject_cast<ImageItemView*>(shown->view()))
                itemView->markImage()->setImageNamed(sender.isChecked() ? "select" : "deselect");
    notifyParentOfSelection();
    updateDeleteAndAddButtons();
}

void CollectionVC::toggleAllChecks() {
    arrItemsInt.clear();
    if (!bSelectAllMode)
        for (int i = 0; i < displayedCount(); ++i) arrItemsInt.push_back(i);
    if (isViewLoaded()) {
        collImages->reloadData();
        tableView->reloadData();
    }
    bSelectAllMode = !bSelectAllMode;
    updateDeleteAndAddButtons();
    notifyParentOfSelection();
}

// Selection.

void CollectionVC::didSelectItems(appkit::CollectionView&, const std::set<int>& indexes) {
    applyGridSelectionChange(indexes, true);
}

void CollectionVC::didDeselectItems(appkit::CollectionView&, const std::set<int>& indexes) {
    applyGridSelectionChange(indexes, false);
}

void CollectionVC::selectionDidChange(appkit::TableView&) {
    tableSelectionChanged();
}

void CollectionVC::applyGridSelectionChange(const std::set<int>& indexes, bool selected) {
    for (int index : indexes) {
        if (auto* item = collImages->itemAtIndex(index)) applyHighlight(*item->view(), selected);
        if (selected)
            mSetIdxSelected.insert(index);
        else
            mSetIdxSelected.erase(index);
    }
    notifyParentsOfImageCount(true);
    notifyParentOfSelection();
}

void CollectionVC::tableSelectionChanged() {
    if (!tableView) return;
    mSetIdxSelected = tableView->selectedRowIndexes();
    notifyParentsOfImageCount(true);
    notifyParentOfSelection();
}

namespace {

bool gridShowsSelection(const ImageListShell* shell, const appkit::CollectionView* grid) {
    return (!shell || shell->selectedTab() != kRenameTab) && grid && !grid->isHidden();
}

}  // namespace

void CollectionVC::selectAllImages() {
    mSetIdxSelected.clear();
    for (int i = 0; i < displayedCount(); ++i) mSetIdxSelected.insert(i);
    if (gridShowsSelection(shell(), collImages)) {
        collImages->setSelectionIndexes(mSetIdxSelected);
        collImages->reloadData();
    } else if (tableView) {
        tableView->selectAll();
    }
    notifyParentsOfImageCount(true);
    notifyParentOfSelection();
}

void CollectionVC::deselectAllImages() {
    mSetIdxSelected.clear();
    if (gridShowsSelection(shell(), collImages)) {
        collImages->setSelectionIndexes({});
        collImages->reloadData();
    } else if (tableView) {
        tableView->deselectAll();
    }
    notifyParentsOfImageCount(true);
    notifyParentOfSelection();
}

// Removal.

std::set<int> CollectionVC::itemsForRemoval() const {
    std::set<int> items =
        arrItemsInt.empty() ? mSetIdxSelected : std::set<int>(arrItemsInt.begin(), arrItemsInt.end());
    const int count = displayedCount();
    std::erase_if(items, [count](int i) { return i < 0 || i >= count; });
    return items;
}

void CollectionVC::removeSelectedImages() {
    ImageListHost* pane = host();
    const bool tab = role_ == ImageListRole::Advanced || role_ == ImageListRole::Rename;
    if (!pane || !tab || itemsForRemoval().empty()) {
        removeItemsForRemoval();
        return;
    }
    pane->confirmListChange(ListChange::Removing, [self = QPointer<CollectionVC>(this)] {
        if (self) self->removeItemsForRemoval();
    });
}

void CollectionVC::removeItemsForRemoval() {
    const std::set<int> removed = itemsForRemoval();
    if (!removed.empty()) {
        // The selection named images by their places in the list as it was.
        mSetIdxSelected.clear();
        core::sharedImageList().removeAt(std::set<std::size_t>(removed.begin(), removed.end()));
        arrItemsInt = arrItemsInt.empty() ? std::vector<int>() : marksAfterRemoval(arrItemsInt, removed);
        if (isViewLoaded()) {
            collImages->deleteItems(removed);
            collImages->setSelectionIndexes({});
            tableView->reloadData();
        }
        notifyParentsOfImageCount(false);
    }
    mSetIdxSelected.clear();
    updateDeleteAndAddButtons();
    notifyParentOfSelection();
    reloadSiblingList();
}

bool CollectionVC::canAcceptImages() const {
    const ImageListHost* pane = host();
    if (pane && (role_ == ImageListRole::Advanced || role_ == ImageListRole::Rename))
        return !pane->isActivityRunning();
    return true;
}

// The pane around the list.

void CollectionVC::notifyParentOfSelection() {
    if (ImageListHost* pane = host())
        if (role_ == ImageListRole::Advanced || role_ == ImageListRole::Rename ||
            role_ == ImageListRole::Bulk)
            pane->updateSelectionLabel(std::vector<int>(mSetIdxSelected.begin(), mSetIdxSelected.end()));
    applyEmptyViewRule();
}

void CollectionVC::notifyParentsOfImageCount(bool selectionOnly) {
    ImageListHost* pane = host();
    if (!pane) return;
    const bool tab = role_ == ImageListRole::Advanced || role_ == ImageListRole::Rename;
    if (!tab && role_ != ImageListRole::Bulk) return;
    if (!selectionOnly && tab) pane->notifyActivityVC();
    const bool empty = core::sharedImageList().isEmpty();
    if (QWidget* selectAll = pane->selectAllButton()) selectAll->setHidden(empty);
    if (QWidget* remove = pane->deleteButton()) remove->setHidden(empty || itemsForRemoval().empty());
    if (QWidget* preview = pane->previewButton()) preview->setEnabled(!empty && !mSetIdxSelected.empty());
    if (QWidget* add = pane->addButtonWhileListed()) add->setHidden(empty);
    if (!selectionOnly && role_ == ImageListRole::Advanced) pane->refreshEffectPreviewImage();
}

void CollectionVC::updateDeleteAndAddButtons() {
    ImageListHost* pane = host();
    if (!pane) return;
    const bool empty = core::sharedImageList().isEmpty();
    if (role_ == ImageListRole::AdvancedOptions) {
        pane->setAddManageImage(empty ? "add" : "manage");
        return;
    }
    if (role_ != ImageListRole::Advanced && role_ != ImageListRole::Rename && role_ != ImageListRole::Bulk)
        return;
    if (QWidget* remove = pane->deleteButton()) remove->setHidden(empty || itemsForRemoval().empty());
}

}  // namespace screens
