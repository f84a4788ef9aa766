#include "Screens/Activity/CollectionDoneorSkippedVC.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include "Controls/PushButton.h"

#include "Core/Records/SharedLists.h"
#include "Extensions/AppKit/ViewControllerHelpers.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Image/ImageGeometry.h"
#include "Platform/Image/Thumbnail.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityHooks.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CloseMark.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageWell.h"
#include "Screens/Activity/ResultSharing.h"

namespace {

const cg::Color kSelectedColour{0.0, 0.39, 0.88, 1.0};
const cg::Color kSkippedColour{1.0, 0.23, 0.19, 1.0};

// An image scaled to fill a square of `side` (its shorter side becomes `side`).
std::optional<image::Image> scaledToFill(const std::optional<image::Image>& image, double side) {
    if (!image) return std::nullopt;
    const cg::Size px = image::pixelSize(*image);
    if (px.width <= 0 || px.height <= 0 || side <= 0) return std::nullopt;
    const double s = std::max(side / px.width, side / px.height);
    const cg::Size size{std::max(1.0, std::floor(px.width * s)), std::max(1.0, std::floor(px.height * s))};
    return image::resized(*image, size);
}

std::string lastPathComponent(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

CollectionDoneorSkippedVC::CollectionDoneorSkippedVC()
    : previewQueue_(dispatch::OperationQueue::make("PreviewQueue", 4)) {
    setIdentifier(ids::scene::CollectionDoneorSkippedVC);
}

CollectionDoneorSkippedVC::~CollectionDoneorSkippedVC() {
    previewQueue_->cancelAllOperations();
}

void CollectionDoneorSkippedVC::loadView() {
    auto* root = new appkit::View;
    root->resize(600, 400);
    auto* column = new QVBoxLayout(root);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);

    auto* bar = new QHBoxLayout;
    btnDone = new controls::PushButton("Done", controls::PushButton::Role::Borderless);
    lblTitle = new QLabel;
    lblTitle->setTextFormat(Qt::PlainText);
    QFont titleFont = lblTitle->font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    btnShowHideSkipped = new controls::PushButton(QString(), controls::PushButton::Role::Borderless);
    // A light header action over the grid, not a button on a row of its own.
    btnSelect = new controls::PushButton("Select", controls::PushButton::Role::Borderless);
    btnPreview = new controls::PushButton("Preview");
    btnShare = new controls::PushButton("Share");
    bar->addWidget(btnDone);
    bar->addWidget(lblTitle, 1);
    bar->addWidget(btnShowHideSkipped);
    bar->addWidget(btnSelect);
    bar->addWidget(btnPreview);
    bar->addWidget(btnShare);
    column->addLayout(bar);
    QObject::connect(btnDone, &controls::PushButton::clicked, this, [this] { onDone(); });
    QObject::connect(btnShowHideSkipped, &controls::PushButton::clicked, this,
                     [this] { showHideSkippedImg(btnShowHideSkipped); });
    QObject::connect(btnSelect, &controls::PushButton::clicked, this,
                     [this] { onSelectDeselect(btnSelect); });
    QObject::connect(btnPreview, &controls::PushButton::clicked, this, [this] { onLoadOrPreview(); });
    QObject::connect(btnShare, &controls::PushButton::clicked, this, [this] { onShare(btnShare); });

    collImages = new appkit::CollectionView;
    collImages->setDataSource(this);
    collImages->setDelegate(this);
    // Items fill the width less 20 points: the scroll bar takes part of that room.
    collImages->setInsets(10, 0, 10, 0);
    collImages->setSpacing(0, 0);
    gridViewport_ = collImages->viewport();
    gridViewport_->installEventFilter(this);
    column->addWidget(collImages, 1);
    headerViewForTable = new appkit::View;
    headerViewForTable->setFixedHeight(24);
    auto* header = new QHBoxLayout(headerViewForTable);
    header->setContentsMargins(8, 0, 8, 0);
    header->addWidget(new QLabel("Name"), 1);
    header->addWidget(new QLabel("Size"));
    column->addWidget(headerViewForTable);
    tableView = new appkit::TableView;
    tableView->setDataSource(this);
    column->addWidget(tableView, 1);
    root->installEventFilter(this);
    setView(root);
}

void CollectionDoneorSkippedVC::viewDidLoad() {
    // On the activity screen its own bar offers Share for the same files: one Share is enough.
    if (btnShare) btnShare->setVisible(dynamic_cast<ActivityVC*>(parent()) == nullptr);
    reloadContent();
}

bool CollectionDoneorSkippedVC::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) applyItemSize();
    if (event->type() == QEvent::MouseButtonPress && gridViewport_ && watched == gridViewport_.data()) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton && chooseTileAt(press->position().toPoint())) return true;
    }
    return ViewController::eventFilter(watched, event);
}

void CollectionDoneorSkippedVC::reloadContent() {
    const bool rename = ActivityHooks::shared().renameTabSelected();
    collImages->setVisible(!rename);
    tableView->setVisible(rename);
    headerViewForTable->setVisible(rename);
    // The preset's own results come with a way back; the done grid of the activity screen stays put.
    btnDone->setVisible(!bIsDone);
    // Slid in over the activity screen, the results keep its margin at any width; inside the activity
    // screen the grid has that screen's.
    const int margin = bIsDone ? 0 : screens::kCloseMarkInset;
    if (QLayout* column = view()->layout()) column->setContentsMargins(margin, margin, margin, margin);
    // Without a preview window to open, the button would do nothing: it is left out.
    btnPreview->setVisible(!bIsDone && static_cast<bool>(ActivityHooks::shared().showPreviewPanel));
    lblTitle->setText(QString());
    reloadGrid();
    arrImagesAll = arrImages;
    scanForSkipped();
}

void CollectionDoneorSkippedVC::reloadGrid() {
    if (!isViewLoaded()) return;
    // The activity screen's results of a job that wrote nothing: no empty grid, only the counters.
    if (bIsDone) view()->setHidden(arrImages.empty());
    mSetIdxSelected.clear();
    applyItemSize();
    tableView->reloadData();
    collImages->reloadData();
}

cg::Size CollectionDoneorSkippedVC::itemSize() const {
    const double w = isViewLoaded() ? const_cast<CollectionDoneorSkippedVC*>(this)->view()->width() : 0;
    const double inner = std::max(1.0, w - 20);
    const std::size_t n = arrImages.size();
    cg::Size size{inner / 3, 75};
    if (dynamic_cast<const ActivityVC*>(parent())) {
        if (n == 1)
            size = {inner, 300};
        else if (n == 2)
            size = {inner, 150};
        else if (n == 3 || n == 4)
            size = {inner / 2, 150};
        else if (n == 5 || n == 6)
            size = {inner / 2, 100};
        else if (n == 7 || n == 8)
            size = {inner / 2, 75};
        else if (n >= 9)
            size = {inner / 3, 100};
    } else if (dynamic_cast<const ActivityHolderVC*>(parent())) {
        size = {110, 110};
    }
    // A view narrower than its margins (while it slides in) still gets items of at least a point.
    return {std::max(1.0, size.width), std::max(1.0, size.height)};
}

void CollectionDoneorSkippedVC::applyItemSize() {
    if (collImages) collImages->setItemSize(itemSize());
}

int CollectionDoneorSkippedVC::numberOfItems(appkit::CollectionView&) {
    return static_cast<int>(arrImages.size());
}

std::shared_ptr<appkit::CollectionViewItem> CollectionDoneorSkippedVC::itemForIndex(
    appkit::CollectionView& view, int index) {
    auto item = view.makeItem(ids::imagePreview1, index);
    if (item && index >= 0 && index < static_cast<int>(arrImages.size())) {
        configureResultItem(item->view(), index);
        setItemHighlighted(*item, mSetIdxSelected.count(index) != 0);
    }
    return item;
}

void CollectionDoneorSkippedVC::setItemHighlighted(appkit::CollectionViewItem& item, bool selected) {
    view::setBorderColor(*item.view(), selected ? kSelectedColour : cg::Color::clear());
    view::setBorderWidth(*item.view(), selected ? 2.0 : 0.0);
    showSelectionMark(item.view(), selected);
}

void CollectionDoneorSkippedVC::showSelectionMark(appkit::View* itemView, bool selected) const {
    // In selection mode every tile shows the ring it is chosen by, filled once chosen.
    const auto subviews = itemView ? itemView->subviews() : std::vector<QWidget*>{};
    if (subviews.size() < 7) return;
    auto* mark = qobject_cast<screens::ImageWell*>(subviews[3]);
    if (!mark) return;
    mark->setVisible(bSelectMode);
    if (bSelectMode) mark->setImageNamed(selected ? "select" : "deselect");
}

void CollectionDoneorSkippedVC::markSelection(const std::set<int>& indexes, bool selected) {
    for (int index : indexes)
        if (auto* item = collImages->itemAtIndex(index)) setItemHighlighted(*item, selected);
    for (int index : indexes) {
        if (selected)
            mSetIdxSelected.insert(index);
        else
            mSetIdxSelected.erase(index);
    }
    // The tiles chosen in selection mode are the ones Share sends.
    if (bSelectMode) arrItemsInt.assign(mSetIdxSelected.begin(), mSetIdxSelected.end());
}

bool CollectionDoneorSkippedVC::chooseTileAt(QPoint viewportPoint) {
    if (!bSelectMode || !collImages) return false;
    const int index = collImages->indexAt(viewportPoint);
    if (index < 0) return true;
    // In selection mode a click adds a tile to the choice or takes it out, leaving the others.
    std::set<int> chosen = collImages->selectionIndexes();
    const bool choose = chosen.count(index) == 0;
    if (choose)
        chosen.insert(index);
    else
        chosen.erase(index);
    collImages->setSelectionIndexes(chosen);
    markSelection({index}, choose);
    return true;
}

void CollectionDoneorSkippedVC::didSelectItems(appkit::CollectionView&, const std::set<int>& indexes) {
    markSelection(indexes, true);
}

void CollectionDoneorSkippedVC::didDeselectItems(appkit::CollectionView&, const std::set<int>& indexes) {
    markSelection(indexes, false);
}

void CollectionDoneorSkippedVC::configureResultItem(appkit::View* itemView, int item) {
    if (!itemView) return;
    const auto subviews = itemView->subviews();
    if (subviews.size() < 7 || item < 0 || item >= static_cast<int>(arrImages.size())) return;
    const auto& entry = arrImages[static_cast<std::size_t>(item)];
    const core::SourceURLInfo& record = entry.urlInfo;
    const std::string name =
        record.updatedUrl ? record.updatedUrl->filename().string() : lastPathComponent(record.strFullPath);
    const bool skipped = entry.isSkipped.value_or(false);
    const cg::Size size = itemSize();
    // Every tile shows a picture of one frame, a placeholder until (or unless) its thumbnail comes, so
    // the tiles of a row line up and their name strips share one baseline.
    if (auto* well = qobject_cast<screens::ImageWell*>(subviews[1])) {
        well->setImage(QImage());
        well->setFillsFrame(true);
        well->setLoading(true);
    }
    if (auto* parts = qobject_cast<screens::ImageItemView*>(itemView)) parts->setOneLineStrip(true);
    loadResultThumbnail(ActivityHooks::shared().renameTabSelected(), record,
                        std::max(size.width, size.height), subviews[1]);
    if (auto* sizeLabel = qobject_cast<QLabel*>(subviews[6]))
        sizeLabel->setText(QString::fromStdString(record.fileSize));
    if (auto* nameLabel = qobject_cast<QLabel*>(subviews[5]))
        nameLabel->setText(QString::fromStdString(name));
    if (auto* strip = qobject_cast<appkit::View*>(subviews[2]))
        view::setBackgroundColor(*strip, cg::Color::clear());
    appkit::View::setTagOf(subviews[4], 0);
    subviews[4]->hide();
    showSelectionMark(itemView, mSetIdxSelected.count(item) != 0);
    // The thumbnail draws no layer of its own: the strip over it carries the red frame of a skipped image.
    if (auto* strip = qobject_cast<appkit::View*>(subviews[2])) {
        view::setBorderWidth(*strip, skipped ? 2.0 : 0.0);
        view::setBorderColor(*strip, skipped ? kSkippedColour : cg::Color::clear());
    }
    if (auto* parts = qobject_cast<screens::ImageItemView*>(itemView)) parts->layoutParts();
}

void CollectionDoneorSkippedVC::loadResultThumbnail(bool renameTab, const core::SourceURLInfo& record,
                                                    double side, QPointer<QWidget> imageView) {
    previewQueue_->addOperation([renameTab, record, side, imageView,
                                 alive = std::weak_ptr<bool>(alive_)](const dispatch::Operation& operation) {
        std::optional<image::Image> result;
        const auto stored = [&] {
            return scaledToFill(record.objThumbImage ? record.objThumbImage->image() : std::nullopt, side);
        };
        if (renameTab) {
            result = stored();
        } else {
            const QString path = QString::fromStdString(record.strFinalOutputFilePath).trimmed();
            if (!path.isEmpty()) result = image::thumbnail(path.toStdString(), {side, side});
            if (!result) result = stored();
        }
        if (operation.isCancelled()) return;
        QImage pixels = result ? appkit::toQImage(*result) : QImage();
        dispatch::Queue::main().async([pixels = std::move(pixels), imageView, alive] {
            // The item's view may have been recycled or the grid closed in the meantime.
            if (!alive.lock() || !imageView) return;
            // An empty picture ends the spinner too: the tile then shows that none could be made.
            if (auto* target = qobject_cast<screens::ImageWell*>(imageView.data())) target->setImage(pixels);
        });
    });
}

void CollectionDoneorSkippedVC::scanForSkipped() {
    const auto items = arrImages;
    dispatch::Queue::global().async([items, alive = std::weak_ptr<bool>(alive_), self = this] {
        const bool any = std::any_of(items.begin(), items.end(), [](const core::ResultItemInfo& i) {
            return i.isSkipped.value_or(false);
        });
        dispatch::Queue::main().async([any, alive, self] {
            if (!alive.lock()) return;
            self->bhasSkippedImg = any;
            self->applySkippedButtonState();
        });
    });
}

void CollectionDoneorSkippedVC::applySkippedButtonState() {
    if (!btnShowHideSkipped) return;
    btnShowHideSkipped->setText(bhasSkippedImg ? "Hide Skipped" : "");
    btnShowHideSkipped->setEnabled(bhasSkippedImg);
    // Without a title there is nothing to press: the button goes rather than showing an empty face.
    btnShowHideSkipped->setVisible(bhasSkippedImg);
}

void CollectionDoneorSkippedVC::toggleSkipped(controls::PushButton* sender) {
    if (!sender) return;
    const bool filter = sender->text() == "Hide Skipped";
    sender->setText(filter ? "Show Skipped" : "Hide Skipped");
    arrImages.clear();
    for (const auto& item : arrImagesAll)
        if (!filter || !item.isSkipped.value_or(false)) arrImages.push_back(item);
    reloadGrid();
}

void CollectionDoneorSkippedVC::toggleSelectMode(controls::PushButton* sender) {
    bSelectMode = !bSelectMode;
    if (sender) sender->setText(bSelectMode ? "Done" : "Select");
    if (bhasSkippedImg && btnShowHideSkipped) btnShowHideSkipped->setEnabled(!bSelectMode);
    // What is chosen is what the rings show: entering the mode takes up the tiles already selected.
    arrItemsInt.clear();
    if (bSelectMode) arrItemsInt.assign(mSetIdxSelected.begin(), mSetIdxSelected.end());
    std::set<int> all;
    for (int i = 0; i < static_cast<int>(arrImages.size()); ++i) all.insert(i);
    collImages->reloadItems(all);
}

void CollectionDoneorSkippedVC::returnToSibling() {
    ViewController* holder = parent();
    if (!holder || holder->children().empty()) return;
    QPointer<CollectionDoneorSkippedVC> self(this);
    holder->transition(*this, *holder->children().front(), appkit::TransitionOption::SlideRight, [self] {
        if (self) viewcontroller::removeFromParentAndView(*self);
    });
}

std::vector<std::string> CollectionDoneorSkippedVC::shareURLs() const {
    std::vector<int> numbers = arrItemsInt;
    if (numbers.empty())
        for (int i = 0; i < static_cast<int>(arrImages.size()); ++i) numbers.push_back(i);
    std::vector<core::ResultItemInfo> items;
    for (int i : numbers)
        if (i >= 0 && i < static_cast<int>(arrImages.size()))
            items.push_back(arrImages[static_cast<std::size_t>(i)]);
    return results::shareablePaths(items);
}

void CollectionDoneorSkippedVC::onShare(QWidget* sender) {
    results::presentSharePicker(shareURLs(), sender);
}

std::string CollectionDoneorSkippedVC::previewURL(int index) const {
    if (arrImages.empty()) return {};
    const auto clamped =
        static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(arrImages.size()) - 1));
    return arrImages[clamped].urlInfo.strFinalOutputFilePath;
}

int CollectionDoneorSkippedVC::beginPreviewPanelControl() const {
    if (arrImages.empty()) return -1;
    const int first = mSetIdxSelected.empty() ? 0 : *mSetIdxSelected.begin();
    return std::clamp(first, 0, static_cast<int>(arrImages.size()) - 1);
}

void CollectionDoneorSkippedVC::onLoadOrPreview() {
    if (dynamic_cast<const ActivityVC*>(parent()) || bSelectMode) return;
    const int current = beginPreviewPanelControl();
    if (current < 0) return;
    std::vector<std::string> paths;
    for (int i = 0; i < static_cast<int>(arrImages.size()); ++i) paths.push_back(previewURL(i));
    if (const auto& show = ActivityHooks::shared().showPreviewPanel) show(paths, current);
}

int CollectionDoneorSkippedVC::numberOfRows(appkit::TableView&) {
    // The Rename tab's table has a row for each image of the list; rows past the items stay blank.
    return static_cast<int>(core::sharedImageList().count());
}

QWidget* CollectionDoneorSkippedVC::viewForRow(appkit::TableView&, int row) {
    auto* cell = new screens::ImageItemView(screens::ImageItemView::Form::Row);
    if (row < static_cast<int>(arrImages.size())) configureResultItem(cell, row);
    return cell;
}
