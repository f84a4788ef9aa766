#include "Platform/AppKit/TableView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/IndexShift.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/TableRowDrawing.h"
#include "Platform/AppKit/View.h"

namespace appkit {

double TableViewDataSource::heightOfRow(TableView& table, int) {
    return table.rowHeight();
}

TableView::TableView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
}

View* TableView::makeView(const std::string& identifier) const {
    return (storyboard_ ? *storyboard_ : Storyboard::main()).makeView(identifier);
}

void TableView::setRowHeight(double height) {
    rowHeight_ = std::max(1.0, height);
    reloadData();
}

void TableView::computeOffsets() {
    const int rows = dataSource_ ? std::max(0, dataSource_->numberOfRows(*this)) : 0;
    offsets_.assign(static_cast<std::size_t>(rows) + 1, 0);
    for (int r = 0; r < rows; ++r) {
        const double h = dataSource_->heightOfRow(*this, r);
        offsets_[static_cast<std::size_t>(r) + 1] =
            offsets_[static_cast<std::size_t>(r)] + (std::isfinite(h) && h > 0 ? h : rowHeight_);
    }
}

QRect TableView::rectOfRow(int row) const {
    if (row < 0 || row >= numberOfRows()) return {};
    const double top = offsets_[static_cast<std::size_t>(row)],
                 bottom = offsets_[static_cast<std::size_t>(row) + 1];
    return QRect(0, static_cast<int>(std::lround(top)), viewport()->width(),
                 static_cast<int>(std::lround(bottom - top)));
}

int TableView::rowAt(QPoint viewportPoint) const {
    const double y = viewportPoint.y() + verticalScrollBar()->value();
    if (y < 0 || numberOfRows() == 0 || y >= offsets_.back()) return -1;
    auto it = std::upper_bound(offsets_.begin(), offsets_.end(), y);
    return static_cast<int>(it - offsets_.begin()) - 1;
}

void TableView::updateScrollRange() {
    const int h = viewport()->height();
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(std::ceil(offsets_.back())) - h));
    verticalScrollBar()->setPageStep(h);
    verticalScrollBar()->setSingleStep(static_cast<int>(rowHeight_));
}

void TableView::dropRow(int row) {
    auto it = visible_.find(row);
    if (it == visible_.end()) return;
    if (QWidget* view = it->second.view) {
        View::removeFromSuperview(view);
        view->deleteLater();
    }
    visible_.erase(it);
}

void TableView::layoutRows(bool animated) {
    if (!dataSource_) return;
    const int top = verticalScrollBar()->value();
    const int first = std::max(0, rowAt(QPoint(0, 0)));
    int last = rowAt(QPoint(0, viewport()->height() - 1));
    if (last < 0) last = numberOfRows() - 1;

    std::vector<int> gone;
    for (const auto& [row, visible] : visible_)
        if (row < first || row > last || !visible.view || !visible.cell) gone.push_back(row);
    for (int row : gone) dropRow(row);

    for (int row = first; row <= last && row < numberOfRows(); ++row) {
        const QRect target = rectOfRow(row).translated(0, -top);
        auto it = visible_.find(row);
        if (it != visible_.end()) {
            const VisibleRow visible = it->second;
            QWidget* view = visible.view;
            if (view->geometry() == target) continue;
            if (animated)
                AnimationContext::animate(view, view->geometry(), target, [visible](const QVariant& v) {
                    if (visible.view && visible.cell) placeRow(visible, v.toRect());
                });
            else
                placeRow(visible, target);
            continue;
        }
        QWidget* cell = dataSource_->viewForRow(*this, row);
        if (!cell) continue;
        VisibleRow visible{cell, cell};
        if (QWidget* rowView = dataSource_->rowViewForRow(*this, row)) {
            rowView->setParent(viewport());
            cell->setParent(rowView);
            cell->show();
            visible.view = rowView;
        } else {
            cell->setParent(viewport());
        }
        placeRow(visible, target);
        visible.view->show();
        visible_[row] = visible;
    }
    syncRowSelection();
    viewport()->update();
}

void TableView::reloadData() {
    std::vector<int> all;
    for (const auto& entry : visible_) all.push_back(entry.first);
    for (int row : all) dropRow(row);
    computeOffsets();
    std::erase_if(selection_, [this](int r) { return r >= numberOfRows(); });
    updateScrollRange();
    layoutRows(false);
}

void TableView::reloadRows(const std::set<int>& rows) {
    for (int row : rows) dropRow(row);
    computeOffsets();
    updateScrollRange();
    layoutRows(false);
}

void TableView::insertRows(const std::set<int>& rows) {
    visible_ = remapKeys(visible_, [&](int r) { return indexAfterInsert(r, rows); });
    selection_ = remapSet(selection_, indexAfterInsert, rows);
    computeOffsets();
    updateScrollRange();
    layoutRows(true);
}

void TableView::removeRows(const std::set<int>& rows) {
    for (int row : rows) dropRow(row);
    visible_ = remapKeys(visible_, [&](int r) { return indexAfterDelete(r, rows); });
    const auto before = selection_;
    selection_ = remapSet(selection_, indexAfterDelete, rows);
    computeOffsets();
    updateScrollRange();
    layoutRows(true);
    if (before.size() != selection_.size() && dataSource_) dataSource_->selectionDidChange(*this);
}

void TableView::placeRow(const VisibleRow& row, const QRect& rect) {
    row.view->setGeometry(rect);
    if (row.cell != row.view) row.cell->setGeometry(0, 0, rect.width(), rect.height());
}

QWidget* TableView::viewAtRow(int row) const {
    auto it = visible_.find(row);
    return it == visible_.end() ? nullptr : it->second.cell.data();
}

QWidget* TableView::rowViewAtRow(int row) const {
    auto it = visible_.find(row);
    return it == visible_.end() ? nullptr : it->second.view.data();
}

void TableView::syncRowSelection() {
    for (const auto& [row, visible] : visible_)
        if (auto* drawing = dynamic_cast<TableRowDrawing*>(visible.view.data()))
            drawing->setRowSelected(selection_.count(row) != 0);
}

int TableView::rowForView(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        for (const auto& [row, visible] : visible_)
            if (visible.view == w) return row;
    return -1;
}

void TableView::setSelection(std::set<int> selection) {
    std::erase_if(selection, [this](int r) {
        return r < 0 || r >= numberOfRows() || dataSource_->isGroupRow(*this, r) ||
               !dataSource_->shouldSelectRow(*this, r);
    });
    if (!multiple_ && selection.size() > 1) selection = {*selection.begin()};
    if (selection == selection_) return;
    selection_ = std::move(selection);
    syncRowSelection();
    viewport()->update();
    dataSource_->selectionDidChange(*this);
}

void TableView::selectRowIndexes(const std::set<int>& rows, bool extend) {
    if (!dataSource_) return;
    std::set<int> selection = extend ? selection_ : std::set<int>{};
    selection.insert(rows.begin(), rows.end());
    setSelection(std::move(selection));
}

void TableView::selectAll() {
    if (!dataSource_ || !multiple_) return;
    std::set<int> all;
    for (int r = 0; r < numberOfRows(); ++r) all.insert(r);
    setSelection(std::move(all));
}

void TableView::deselectAll() {
    if (dataSource_) setSelection({});
}

void TableView::scrollRowToVisible(int row) {
    const QRect rect = rectOfRow(row);
    if (rect.isNull()) return;
    const int top = verticalScrollBar()->value(), h = viewport()->height();
    if (rect.top() < top)
        verticalScrollBar()->setValue(rect.top());
    else if (rect.bottom() + 1 > top + h)
        verticalScrollBar()->setValue(rect.bottom() + 1 - h);
    layoutRows(false);
}

void TableView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    layoutRows(false);
}

void TableView::scrollContentsBy(int, int) {
    layoutRows(false);
}

void TableView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (!dataSource_ || event->button() != Qt::LeftButton) return;
    const int row = rowAt(event->position().toPoint());
    if (row < 0) {
        deselectAll();
        return;
    }
    if (multiple_ && (event->modifiers() & Qt::ControlModifier)) {
        std::set<int> selection = selection_;
        if (!selection.erase(row)) selection.insert(row);
        setSelection(std::move(selection));
    } else {
        setSelection({row});
    }
}

void TableView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int top = verticalScrollBar()->value();
    for (int row : selection_) {
        // A row view that paints its own selection (rounded, inset) must not show a square fill under it.
        auto* drawing = dynamic_cast<TableRowDrawing*>(rowViewAtRow(row));
        if (drawing && drawing->drawsOwnSelection()) continue;
        const QRect rect = rectOfRow(row).translated(0, -top);
        if (rect.intersects(viewport()->rect())) painter.fillRect(rect, palette().color(QPalette::Highlight));
    }
}

}  // namespace appkit
