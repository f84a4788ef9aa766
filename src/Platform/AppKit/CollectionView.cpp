#include "Platform/AppKit/CollectionView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/IndexShift.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

CollectionView::CollectionView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
}

CollectionView::~CollectionView() = default;

std::shared_ptr<CollectionViewItem> CollectionView::makeItem(const std::string& identifier, int) {
    Storyboard& board = storyboard_ ? *storyboard_ : Storyboard::main();
    return std::dynamic_pointer_cast<CollectionViewItem>(board.instantiateController(identifier));
}

void CollectionView::setLayout(Layout layout) {
    layout_ = layout;
    updateScrollRange();
    layoutItems(false);
}

void CollectionView::setItemSize(cg::Size size) {
    itemSize_ = {std::max(1.0, size.width), std::max(1.0, size.height)};
    updateScrollRange();
    layoutItems(false);
}

void CollectionView::setSpacing(double interitem, double line) {
    interitem_ = std::max(0.0, interitem);
    line_ = std::max(0.0, line);
    updateScrollRange();
    layoutItems(false);
}

void CollectionView::setInsets(double top, double left, double bottom, double right) {
    insetTop_ = top;
    insetLeft_ = left;
    insetBottom_ = bottom;
    insetRight_ = right;
    updateScrollRange();
    layoutItems(false);
}

int CollectionView::columns() const {
    if (layout_ == Layout::List) return 1;
    const double available = viewport()->width() - insetLeft_ - insetRight_ + interitem_;
    return std::max(1, static_cast<int>(std::floor(available / (itemSize_.width + interitem_))));
}

cg::Size CollectionView::cellSize() const {
    if (layout_ == Layout::List)
        return {std::max(1.0, viewport()->width() - insetLeft_ - insetRight_), itemSize_.height};
    return itemSize_;
}

QRect CollectionView::frameForItem(int index) const {
    const int cols = columns();
    const cg::Size cell = cellSize();
    const int row = index / cols, col = index % cols;
    const double x = insetLeft_ + col * (cell.width + interitem_);
    const double y = insetTop_ + row * (cell.height + line_);
    return QRect(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)),
                 static_cast<int>(std::lround(cell.width)), static_cast<int>(std::lround(cell.height)));
}

QSize CollectionView::contentSize() const {
    const int cols = columns();
    const int rows = (count_ + cols - 1) / cols;
    const double h = insetTop_ + rows * cellSize().height + std::max(0, rows - 1) * line_ + insetBottom_;
    return QSize(viewport()->width(), static_cast<int>(std::ceil(h)));
}

int CollectionView::indexAt(QPoint viewportPoint) const {
    const QPoint content = viewportPoint + QPoint(0, verticalScrollBar()->value());
    const cg::Size cell = cellSize();
    const int row = static_cast<int>(std::floor((content.y() - insetTop_) / (cell.height + line_)));
    const int col = static_cast<int>(std::floor((content.x() - insetLeft_) / (cell.width + interitem_)));
    if (row < 0 || col < 0 || col >= columns()) return -1;
    const int index = row * columns() + col;
    if (index >= count_ || !frameForItem(index).contains(content)) return -1;
    return index;
}

void CollectionView::updateScrollRange() {
    const int h = viewport()->height();
    verticalScrollBar()->setRange(0, std::max(0, contentSize().height() - h));
    verticalScrollBar()->setPageStep(h);
    verticalScrollBar()->setSingleStep(static_cast<int>(std::max(10.0, cellSize().height / 4)));
}

void CollectionView::dropItem(int index) {
    auto it = visible_.find(index);
    if (it == visible_.end()) return;
    auto item = std::move(it->second);
    visible_.erase(it);
    if (item->isViewLoaded()) View::removeFromSuperview(item->view());
    // The item may be handling the event that removed it; it goes once that has returned.
    dispatch::Queue::main().async([item] {});
}

void CollectionView::layoutItems(bool animated) {
    if (!dataSource_) return;
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int cols = columns();
    const double rowHeight = cellSize().height + line_;
    const int firstRow = std::max(0, static_cast<int>(std::floor((top - insetTop_) / rowHeight)));
    const int lastRow = std::max(firstRow, static_cast<int>(std::floor((bottom - insetTop_) / rowHeight)));
    const int first = firstRow * cols;
    const int last = std::min(count_ - 1, (lastRow + 1) * cols - 1);

    std::vector<int> gone;
    for (const auto& [index, item] : visible_)
        if (index < first || index > last ||
            !frameForItem(index).intersects(QRect(0, top, viewport()->width(), bottom - top)))
            gone.push_back(index);
    for (int index : gone) dropItem(index);

    const QPoint scroll(0, -top);
    for (int index = first; index <= last; ++index) {
        const QRect target = frameForItem(index).translated(scroll);
        if (!target.intersects(viewport()->rect())) continue;
        auto it = visible_.find(index);
        if (it != visible_.end()) {
            View* view = it->second->view();
            if (view->geometry() == target) continue;
            if (animated) {
                AnimationContext::animate(view, view->geometry(), target,
                                          [view](const QVariant& v) { view->setGeometry(v.toRect()); });
            } else {
                view->setGeometry(target);
            }
            continue;
        }
        auto item = dataSource_->itemForIndex(*this, index);
        if (!item) continue;
        View* view = item->view();
        view->setParent(viewport());
        view->setGeometry(target);
        view->show();
        item->setSelected(selection_.count(index) != 0);
        visible_[index] = std::move(item);
    }
}

void CollectionView::reloadData() {
    std::vector<int> all;
    for (const auto& entry : visible_) all.push_back(entry.first);
    for (int index : all) dropItem(index);
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfItems(*this)) : 0;
    std::erase_if(selection_, [this](int i) { return i >= count_; });
    updateScrollRange();
    layoutItems(false);
}

void CollectionView::reloadItems(const std::set<int>& indexes) {
    for (int index : indexes) dropItem(index);
    layoutItems(false);
}

void CollectionView::insertItems(const std::set<int>& indexes) {
    visible_ = remapKeys(visible_, [&](int i) { return indexAfterInsert(i, indexes); });
    selection_ = remapSet(selection_, indexAfterInsert, indexes);
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfItems(*this)) : 0;
    updateScrollRange();
    layoutItems(true);
}

void CollectionView::deleteItems(const std::set<int>& indexes) {
    for (int index : indexes) dropItem(index);
    visible_ = remapKeys(visible_, [&](int i) { return indexAfterDelete(i, indexes); });
    selection_ = remapSet(selection_, indexAfterDelete, indexes);
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfItems(*this)) : 0;
    updateScrollRange();
    layoutItems(true);
}

CollectionViewItem* CollectionView::itemAtIndex(int index) const {
    auto it = visible_.find(index);
    return it == visible_.end() ? nullptr : it->second.get();
}

int CollectionView::indexOfItem(const CollectionViewItem* item) const {
    for (const auto& [index, visible] : visible_)
        if (visible.get() == item) return index;
    return -1;
}

std::vector<int> CollectionView::visibleIndexes() const {
    std::vector<int> indexes;
    for (const auto& entry : visible_) indexes.push_back(entry.first);
    return indexes;
}

void CollectionView::applySelection(const std::set<int>& selection, bool notify) {
    std::set<int> added, removed;
    std::set_difference(selection.begin(), selection.end(), selection_.begin(), selection_.end(),
                        std::inserter(added, added.end()));
    std::set_difference(selection_.begin(), selection_.end(), selection.begin(), selection.end(),
                        std::inserter(removed, removed.end()));
    selection_ = selection;
    for (auto& [index, item] : visible_) item->setSelected(selection_.count(index) != 0);
    if (!notify || !delegate_) return;
    if (!removed.empty()) delegate_->didDeselectItems(*this, removed);
    if (!added.empty()) delegate_->didSelectItems(*this, added);
}

void CollectionView::setSelectionIndexes(const std::set<int>& indexes) {
    std::set<int> valid;
    for (int i : indexes)
        if (i >= 0 && i < count_) valid.insert(i);
    applySelection(valid, false);
}

void CollectionView::selectAll() {
    if (!selectable_ || !multiple_) return;
    std::set<int> all;
    for (int i = 0; i < count_; ++i) all.insert(i);
    applySelection(all, true);
}

void CollectionView::deselectAll() {
    applySelection({}, true);
}

void CollectionView::scrollToItem(int index, ScrollPosition position, bool animated) {
    if (index < 0 || index >= count_) return;
    const QRect frame = frameForItem(index);
    const int top = verticalScrollBar()->value(), h = viewport()->height();
    const int toTop = frame.top() - static_cast<int>(insetTop_);
    const int toBottom = frame.bottom() + 1 - h + static_cast<int>(insetBottom_);
    int target = top;
    switch (position) {
        case ScrollPosition::Top:
            target = toTop;
            break;
        case ScrollPosition::Bottom:
            target = toBottom;
            break;
        case ScrollPosition::Nearest:
            if (frame.top() < top)
                target = toTop;
            else if (frame.bottom() + 1 > top + h)
                target = toBottom;
            break;
    }
    target = std::clamp(target, verticalScrollBar()->minimum(), verticalScrollBar()->maximum());
    if (animated) {
        QScrollBar* bar = verticalScrollBar();
        AnimationContext::animate(bar, top, target, [bar](const QVariant& v) { bar->setValue(v.toInt()); });
    } else {
        verticalScrollBar()->setValue(target);
    }
    layoutItems(false);
}

void CollectionView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    layoutItems(false);
}

void CollectionView::scrollContentsBy(int, int) {
    layoutItems(false);
}

void CollectionView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!selectable_ || event->button() != Qt::LeftButton) return;
    const int index = indexAt(event->position().toPoint());
    const auto modifiers = event->modifiers();
    std::set<int> selection;
    if (index < 0) {
        if (modifiers & (Qt::ControlModifier | Qt::ShiftModifier)) return;
    } else if (multiple_ && (modifiers & Qt::ControlModifier)) {
        selection = selection_;
        if (!selection.erase(index)) selection.insert(index);
        anchor_ = index;
    } else if (multiple_ && (modifiers & Qt::ShiftModifier) && anchor_ >= 0) {
        for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) selection.insert(i);
    } else {
        selection = {index};
        anchor_ = index;
    }
    applySelection(selection, true);
}

void CollectionView::mouseDoubleClickEvent(QMouseEvent* event) {
    const int index = indexAt(event->position().toPoint());
    if (index >= 0) Q_EMIT itemDoubleClicked(index);
}

void CollectionView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

}  // namespace appkit
