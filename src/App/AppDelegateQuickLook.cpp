// The application delegate's part of the preview panel: the items of the image list's selection,
// the position the panel opens at and the rectangle it zooms from.

#include <QScrollBar>

#include "App/AppDelegate.h"
#include "Platform/Foundation/Bookmark.h"

namespace {

// An item's rectangle on screen, from content coordinates of a scrolling list view.
cg::Rect onScreen(const QAbstractScrollArea& view, QRect content) {
    if (!view.window() || content.isEmpty()) return {};
    content.translate(-view.horizontalScrollBar()->value(), -view.verticalScrollBar()->value());
    const QPoint topLeft = view.viewport()->mapToGlobal(content.topLeft());
    return cg::Rect(topLeft.x(), topLeft.y(), content.width(), content.height());
}

}  // namespace

std::string AppDelegate::buildPreviewItems(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= arrImgList.size()) return {};
    const auto& record = arrImgList[static_cast<std::size_t>(index)];
    if (!record.bookmarkData) return {};
    const auto path = foundation::resolveBookmarkData(*record.bookmarkData);
    return path ? path->string() : std::string();
}

int AppDelegate::firstSelectedImage() const {
    if (collectionView && !collectionView->selectionIndexes().empty())
        return *collectionView->selectionIndexes().begin();
    if (tableView && !tableView->selectedRowIndexes().empty())
        return *tableView->selectedRowIndexes().begin();
    return 0;
}

void AppDelegate::toggleQuickLookPreview() {
    std::set<int> selection;
    if (collectionView)
        selection = collectionView->selectionIndexes();
    else if (tableView)
        selection = tableView->selectedRowIndexes();
    if (selection.empty()) return;
    dictPreviewItems.reset();
    arrQLPos.clear();
    std::map<int, std::string> items;
    // One image selected: the panel pages through the whole list; several: through those.
    if (selection.size() == 1) {
        for (int i = 0; i < static_cast<int>(arrImgList.size()); ++i) {
            items[i] = buildPreviewItems(i);
            arrQLPos.push_back(i);
        }
    } else {
        for (int i : selection) {
            items[i] = buildPreviewItems(i);
            arrQLPos.push_back(i);
        }
    }
    if (items.empty()) return;
    dictPreviewItems = std::move(items);
    auto& panel = quicklook::PreviewPanel::shared();
    if (panel.isShown()) {
        beginPreviewPanelControl(panel);
        panel.reloadData();
        return;
    }
    panel.makeKeyAndOrderFront(this);
}

void AppDelegate::beginPreviewPanelControl(quicklook::PreviewPanel& panel) {
    panel.setDataSource(this);
    panel.setDelegate(this);
    if (arrQLPos.empty()) return;
    const int first = firstSelectedImage();
    const auto at = std::find(arrQLPos.begin(), arrQLPos.end(), first);
    panel.setCurrentPreviewItemIndex(at == arrQLPos.end() ? 0 : static_cast<int>(at - arrQLPos.begin()));
}

void AppDelegate::endPreviewPanelControl(quicklook::PreviewPanel& panel) {
    if (panel.dataSource() == this) {
        panel.setDataSource(nullptr);
        panel.setDelegate(nullptr);
    }
    dictPreviewItems.reset();
    arrQLPos.clear();
}

int AppDelegate::numberOfPreviewItems(quicklook::PreviewPanel&) {
    return static_cast<int>(arrQLPos.size());
}

std::optional<std::string> AppDelegate::previewItemAt(quicklook::PreviewPanel&, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= arrQLPos.size() || !dictPreviewItems)
        return std::nullopt;
    const auto it = dictPreviewItems->find(arrQLPos[static_cast<std::size_t>(index)]);
    if (it == dictPreviewItems->end()) return std::nullopt;
    return it->second;
}

cg::Rect AppDelegate::sourceFrameOnScreen(quicklook::PreviewPanel&, int index) {
    // The panel zooms from the image it shows, where the list shows it.
    if (index < 0 || static_cast<std::size_t>(index) >= arrQLPos.size()) return {};
    const int image = arrQLPos[static_cast<std::size_t>(index)];
    if (collectionView) return onScreen(*collectionView, collectionView->frameForItem(image));
    if (tableView) return onScreen(*tableView, tableView->rectOfRow(image));
    return {};
}
