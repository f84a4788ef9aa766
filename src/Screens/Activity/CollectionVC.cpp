#include "Screens/Activity/CollectionVC.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include "Controls/PushButton.h"
#include "Controls/TableRowView.h"

#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/FileDrop.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/ImageConversion.h"
#include "Platform/AppKit/KeyDownMonitor.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageListShell.h"
#include "Screens/Activity/ImagePreviewItem.h"

namespace screens {
namespace {

constexpr int kAddButtonTag = 1;
constexpr int kSpaceKeyCode = Qt::Key_Space;
constexpr double kRowSide = 60.0;
constexpr int kHeaderHeight = 28;

std::string lastPathComponent(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isDeleteKey(const QKeyEvent& event) {
    return (event.key() == Qt::Key_Delete || event.key() == Qt::Key_Backspace) &&
           !(event.modifiers() & ~Qt::KeypadModifier);
}

bool hasFocusIn(const QWidget* widget) {
    const QWidget* focus = QApplication::focusWidget();
    return widget && focus && (focus == widget || widget->isAncestorOf(focus));
}

}  // namespace

cg::Color selectedMenuItemColor() {
    return {0.0, 0.39, 0.88, 1.0};
}

CollectionVC::CollectionVC() : previewQueue_(dispatch::OperationQueue::make("PreviewQueue", 4)) {}

CollectionVC::~CollectionVC() {
    previewQueue_->cancelAllOperations();
}

void CollectionVC::loadView() {
    auto* root = new appkit::View;
    root->resize(600, 400);

    collImages = new appkit::CollectionView;
    collImages->setDataSource(this);
    collImages->setDelegate(this);
    collImages->setAllowsMultipleSelection(true);
    collImages->setParent(root);

    headerViewForTable = new appkit::View;
    headerViewForTable->setParent(root);
    for (const char* title : {"Name", "Size", "New Name"}) {
        auto* label = new QLabel(QString::fromUtf8(title), headerViewForTable);
        label->setTextFormat(Qt::PlainText);
    }
    headerViewForTable->hide();

    tableView = new appkit::TableView;
    tableView->setDataSource(this);
    tableView->setAllowsMultipleSelection(true);
    tableView->setRowHeight(kRowSide);
    tableView->setParent(root);
    tableView->hide();

    noImages = new appkit::View;
    noImages->setParent(root);
    auto* hint = new QLabel(QStringLiteral("Add photos or drop them here"), noImages);
    hint->setObjectName("hint");
    hint->setTextFormat(Qt::PlainText);
    hint->setAlignment(Qt::AlignCenter);
    auto* add =
        new controls::PushButton(QStringLiteral("Add Images"), controls::PushButton::Role::Primary, noImages);
    add->setObjectName("add");
    appkit::View::setTagOf(add, kAddButtonTag);
    connect(add, &controls::PushButton::clicked, this, [this, add] { onAddorPreviewImages(*add); });

    // The parts are laid out here on every resize, not by autoresizing masks.
    root->installEventFilter(this);
    setView(root);
    layoutList();
}

bool CollectionVC::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layoutList();
    return ViewController::eventFilter(watched, event);
}

// The grid fills the list; the table sits below its header bar; the empty view covers both.
void CollectionVC::layoutList() {
    const QRect all = view()->rect();
    collImages->setGeometry(all);
    headerViewForTable->setGeometry(0, 0, all.width(), kHeaderHeight);
    // The titles stand over the row's three texts, which share the width right of the thumbnail.
    const auto titles = headerViewForTable->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    const int textLeft = ImageItemView::rowTextLeft(static_cast<int>(kRowSide));
    const int rowWidth = all.width() - tableView->verticalScrollBar()->sizeHint().width();
    const int column = std::max(40, (rowWidth - textLeft) / 3);
    for (int i = 0; i < titles.size(); ++i)
        titles[i]->setGeometry(textLeft + static_cast<int>(i) * column, 0, column - 8, kHeaderHeight);
    tableView->setGeometry(0, kHeaderHeight, all.width(), std::max(0, all.height() - kHeaderHeight));
    noImages->setGeometry(all);
    if (auto* hint = noImages->findChild<QLabel*>("hint"))
        hint->setGeometry(0, all.height() / 2 - 40, all.width(), 30);
    if (auto* add = noImages->findChild<controls::PushButton*>("add"))
        add->setGeometry(all.width() / 2 - 60, all.height() / 2, 120, 32);
}

void CollectionVC::viewDidLoad() {
    collImages->reloadData();
    applyEmptyViewRule();
    setUpView();
}

ImageListHost* CollectionVC::host() const {
    return dynamic_cast<ImageListHost*>(parent());
}

ImageListShell* CollectionVC::shell() const {
    for (appkit::ViewController* p = parent(); p; p = p->parent())
        if (auto* found = dynamic_cast<ImageListShell*>(p)) return found;
    return nullptr;
}

void CollectionVC::setUpView() {
    if (!isViewLoaded() || roleTaken_) return;
    if (!takeRole()) appkit::retryOnMain(this, [this] { return takeRole(); });
}

bool CollectionVC::takeRole() {
    if (roleTaken_) return true;
    if (!parent()) return false;
    roleTaken_ = true;
    ImageListHost* embedding = host();
    role_ = embedding ? embedding->imageListRole() : ImageListRole::None;
    switch (role_) {
        case ImageListRole::Activity:
            bIsInActivityMode = true;
            arrImgListForProcessing = core::sharedImageList().snapshot();
            embedding->collectionVCEmbeded = this;
            collImages->setSelectable(false);
            collImages->reloadData();
            applyEmptyViewRule();
            Q_EMIT processingListChanged();
            return true;
        case ImageListRole::Advanced:
        case ImageListRole::Bulk:
            embedding->collectionVCEmbeded = this;
            collImages->show();
            tableView->hide();
            headerViewForTable->hide();
            break;
        case ImageListRole::Rename:
            embedding->collectionVCEmbeded = this;
            collImages->hide();
            tableView->show();
            headerViewForTable->show();
            break;
        case ImageListRole::AdvancedOptions:
        case ImageListRole::None:
            break;
    }
    collImages->setItemSize(itemSize());
    collImages->reloadData();
    tableView->reloadData();
    if (role_ == ImageListRole::Advanced || role_ == ImageListRole::Rename || role_ == ImageListRole::Bulk) {
        if (viewForDragDrop) viewForDragDrop->setAccessibilityValue(QVariant::fromValue<QObject*>(this));
        watchDrops();
        new appkit::KeyDownMonitor(this, [this](QKeyEvent& event) { return handleKeyDown(event); });
    }
    notifyParentsOfImageCount(true);
    return true;
}

void CollectionVC::watchDrops() {
    auto* target = new appkit::FileDropTarget(view());
    target->draggingEntered = [this](const std::vector<std::string>& paths) {
        return !paths.empty() && canAcceptImages();
    };
    target->performDrop = [this](const std::vector<std::string>& paths, const appkit::DropSource&) {
        if (!canAcceptImages()) return false;
        addImagesThroughPane(paths);
        return true;
    };
}

cg::Size CollectionVC::itemSize() const {
    if (role_ == ImageListRole::Advanced || role_ == ImageListRole::Bulk) return {frameSize, frameSize};
    return {kRowSide, kRowSide};
}

std::vector<core::SourceURLInfo> CollectionVC::displayedList() const {
    return arrImgListForProcessing ? *arrImgListForProcessing : core::sharedImageList().snapshot();
}

int CollectionVC::displayedCount() const {
    return static_cast<int>(arrImgListForProcessing ? arrImgListForProcessing->size()
                                                    : core::sharedImageList().count());
}

std::optional<core::SourceURLInfo> CollectionVC::displayedRecord(int index) const {
    if (index < 0) return std::nullopt;
    const auto i = static_cast<std::size_t>(index);
    if (arrImgListForProcessing)
        return i < arrImgListForProcessing->size() ? std::optional((*arrImgListForProcessing)[i])
                                                   : std::nullopt;
    return core::sharedImageList().at(i);
}

void CollectionVC::applyEmptyViewRule() {
    if (!noImages) return;
    noImages->setHidden(!core::sharedImageList().isEmpty() || bIsInActivityMode);
}

void CollectionVC::applyHighlight(QWidget& view, bool selected) {
    appkit::animator(view).setBorderColor(selected ? selectedMenuItemColor() : cg::Color::clear());
    appkit::animator(view).setBorderWidth(selected ? 2.0 : 0.0);
}

// Grid.

int CollectionVC::numberOfItems(appkit::CollectionView&) {
    return displayedCount();
}

std::shared_ptr<appkit::CollectionViewItem> CollectionVC::itemForIndex(appkit::CollectionView& grid,
                                                                       int index) {
    std::shared_ptr<appkit::CollectionViewItem> item = grid.makeItem(ids::imagePreview1, index);
    if (!item) item = std::make_shared<ImagePreviewItem>();
    auto* itemView = qobject_cast<ImageItemView*>(item->view());
    const auto record = displayedRecord(index);
    if (!itemView || !record) return item;
    configure(*itemView, index, record, false);
    applyHighlight(*itemView, mSetIdxSelected.count(index) != 0);
    itemView->show();
    return item;
}

// Table.

int CollectionVC::numberOfRows(appkit::TableView&) {
    return displayedCount();
}

QWidget* CollectionVC::rowViewForRow(appkit::TableView&, int) {
    return controls::makeListRow();
}

QWidget* CollectionVC::viewForRow(appkit::TableView& table, int row) {
    appkit::View* made = table.makeView(ids::cellID);
    auto* cell = qobject_cast<ImageItemView*>(made);
    if (!cell) {
        delete made;
        cell = new ImageItemView(ImageItemView::Form::Row);
    }
    if (const auto record = displayedRecord(row)) configure(*cell, row, record, false);
    return cell;
}

double CollectionVC::heightOfRow(appkit::TableView&, int) {
    return kRowSide;
}

// Items.

void CollectionVC::configureImageItem(ImageItemView& view, int index,
                                      const std::vector<core::SourceURLInfo>& list, bool namesOnly) {
    const bool inList = index >= 0 && static_cast<std::size_t>(index) < list.size();
    configure(view, index, inList ? std::optional(list[static_cast<std::size_t>(index)]) : std::nullopt,
              namesOnly);
}

void CollectionVC::configure(ImageItemView& view, int index, const std::optional<core::SourceURLInfo>& record,
                             bool namesOnly) {
    const std::string outputName =
        !record ? std::string()
                : lastPathComponent(record->updatedUrl ? record->updatedUrl->string() : record->strFullPath);
    view.outputLabel()->setText(QString::fromStdString(outputName));
    if (namesOnly) return;

    view.nameLabel()->setText(record ? QString::fromStdString(lastPathComponent(record->strFullPath))
                                     : QString());
    view.sizeLabel()->setText(record ? QString::fromStdString(record->fileSize) : QString());
    view.layoutParts();
    view.setRecordId(record ? std::optional(record->id) : std::nullopt);
    // The images still to process are tiles like the results: a picture or its placeholder, one frame.
    if (role_ == ImageListRole::Activity && view.form() == ImageItemView::Form::Grid)
        view.thumbnail()->setFillsFrame(true);
    view.thumbnail()->setImage({});
    if (record) {
        const auto ready = bAddingImagesNow ? std::nullopt : thumbnailImage(*record);
        if (ready) {
            view.thumbnail()->setImage(*ready);
        } else {
            loadThumbnailLater(*record);
        }
    }
    view.overlay()->setWantsLayer(true);
    view.overlay()->layer()->backgroundColor = cg::Color::clear();
    view.overlay()->layerDidChange();

    controls::PushButton* mark = view.markButton();
    appkit::View::setTagOf(mark, 0);
    setMarkContext(*mark, index, collImages.data());
    mark->disconnect(this);
    connect(mark, &controls::PushButton::clicked, this, [this, mark] { onAddorPreviewImages(*mark); });

    const bool marks = role_ == ImageListRole::Advanced || role_ == ImageListRole::Bulk;
    if (marks) {
        view.spareLabel()->clear();
        const bool marked = std::find(arrItemsInt.begin(), arrItemsInt.end(), index) != arrItemsInt.end();
        mark->setChecked(marked);
        view.markImage()->setImageNamed(marked ? "select" : "deselect");
    }
    view.markImage()->setVisible(marks);
    mark->setVisible(marks || role_ == ImageListRole::AdvancedOptions);
    view.setWantsLayer(true);
    view.layer()->backgroundColor = cg::Color::clear();
    view.layerDidChange();

    std::erase_if(itemViews_, [](const QPointer<ImageItemView>& v) { return v.isNull(); });
    itemViews_.push_back(&view);
}

std::optional<QImage> CollectionVC::thumbnailImage(const core::SourceURLInfo& record) const {
    if (!record.objThumbImage) return QImage();
    if (!record.objThumbImage->isMade()) return std::nullopt;
    const auto made = record.objThumbImage->image();
    return made ? appkit::toQImage(*made) : QImage();
}

void CollectionVC::loadThumbnailLater(const core::SourceURLInfo& record) {
    if (!record.objThumbImage) return;
    QPointer<CollectionVC> self(this);
    previewQueue_->addOperation(
        [self, thumbnail = *record.objThumbImage, id = record.id](const dispatch::Operation& operation) {
            if (operation.isCancelled()) return;
            const auto made = thumbnail.image();
            QImage image = made ? appkit::toQImage(*made) : QImage();
            if (operation.isCancelled()) return;
            dispatch::Queue::main().async([self, id, image = std::move(image)] {
                if (self && self->isViewLoaded()) self->deliverThumbnail(id, image);
            });
        });
}

void CollectionVC::deliverThumbnail(const foundation::UUID& id, const QImage& image) {
    for (const auto& view : itemViews_)
        if (view && view->recordId() == id) view->thumbnail()->setImage(image);
}

void CollectionVC::reloadAllItems() {
    collImages->setItemSize(itemSize());
    const int count = displayedCount();
    if (count == 0) return;
    collImages->reloadData();
}

// Activity mode.

void CollectionVC::loadProcessingList() {
    if (arrImgListForProcessing) arrImgListForProcessing = core::sharedImageList().snapshot();
    collImages->reloadData();
    Q_EMIT processingListChanged();
}

void CollectionVC::removeFirstItem(bool animated) {
    if (!animated) {
        // Only the activity screen's private copy shrinks; the user's list is never touched here.
        if (arrImgListForProcessing && !arrImgListForProcessing->empty())
            arrImgListForProcessing->erase(arrImgListForProcessing->begin());
        collImages->reloadData();
        Q_EMIT processingListChanged();
        return;
    }
    auto* item = collImages->itemAtIndex(0);
    if (!item) return;
    QPointer<appkit::View> itemView = item->view();
    const auto first = displayedRecord(0);
    const std::optional<foundation::UUID> id = first ? std::optional(first->id) : std::nullopt;
    cg::Rect frame = appkit::View::frameOf(itemView);
    frame.origin.y = frame.size.height + 50;
    appkit::AnimationContext::runAnimationGroup(
        [itemView, frame](appkit::AnimationContext&) {
            if (itemView) appkit::animator(*itemView).setFrame(frame);
        },
        [this, itemView, id] {
            if (itemView) itemView->hide();
            removeFirstRecord(id);
        },
        this);
}

// The record the slide animated leaves the list, wherever a reload in the meantime has put it.
void CollectionVC::removeFirstRecord(const std::optional<foundation::UUID>& id) {
    if (!arrImgListForProcessing || arrImgListForProcessing->empty() || !id) return;
    auto& list = *arrImgListForProcessing;
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& r) { return r.id == *id; });
    if (it == list.end()) return;
    const int index = static_cast<int>(it - list.begin());
    list.erase(it);
    collImages->deleteItems({index});
    Q_EMIT processingListChanged();
}

// QuickLook.

bool CollectionVC::handleKeyDown(QKeyEvent& event) {
    QWidget* window = isViewLoaded() ? view()->window() : nullptr;
    if (!window || window != QApplication::activeWindow()) return false;
    const bool gridFocused = collImages && collImages->isVisible() && hasFocusIn(collImages);
    const bool tableFocused = tableView && tableView->isVisible() && hasFocusIn(tableView);
    if (!gridFocused && !tableFocused) return false;
    // Delete removes what has the focus: here, the images chosen in this list.
    if (isDeleteKey(event)) {
        removeSelectedImages();
        return true;
    }
    // The space bar previews on the tabs whose lists the preview panel serves.
    if (event.key() != kSpaceKeyCode || role_ == ImageListRole::Bulk) return false;
    ImageListShell* tabs = shell();
    if (!tabs) return false;
    tabs->setPreviewItems(core::sharedImageList().snapshot(), gridFocused ? collImages.data() : nullptr,
                          tableFocused ? tableView.data() : nullptr);
    appkit::postToMainAfter(this, 0.1, [this] {
        if (ImageListShell* s = shell()) s->toggleQuickLookPreview();
    });
    return true;
}

void CollectionVC::showPreviewFromButton() {
    ImageListShell* tabs = shell();
    if (!tabs) return;
    // The selection is that of the form the list shows: the grid, or the table where it replaces it.
    const bool table = collImages && collImages->isHidden() && tableView && !tableView->isHidden();
    tabs->setPreviewItems(core::sharedImageList().snapshot(), table ? nullptr : collImages.data(),
                          table ? tableView.data() : nullptr);
    tabs->toggleQuickLookPreview();
}

void CollectionVC::browseForImages() {
    ImageListShell* tabs = shell();
    if (!tabs) return;
    QPointer<CollectionVC> self(this);
    tabs->browseForImages([self](const std::vector<std::string>& urls) {
        if (self) self->addImagesThroughPane(urls);
    });
}

}  // namespace screens
