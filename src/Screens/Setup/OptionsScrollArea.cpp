#include "Screens/Setup/OptionsScrollArea.h"

#include <QEvent>
#include <QScrollBar>
#include <cmath>

OptionsScrollArea::OptionsScrollArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void OptionsScrollArea::setRows(QWidget* rows, QWidget* row, QAbstractScrollArea* inner, int least,
                                std::function<int()> contentHeight) {
    setWidget(rows);
    row_ = row;
    inner_ = inner;
    least_ = least;
    contentHeight_ = std::move(contentHeight);
    rows->installEventFilter(this);
    fit();
}

void OptionsScrollArea::setRowLimit(double height) {
    limit_ = static_cast<int>(std::lround(std::max(0.0, height)));
    fit();
}

void OptionsScrollArea::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    fit();
}

bool OptionsScrollArea::eventFilter(QObject* watched, QEvent* event) {
    // A row shown, hidden or grown changes what the rows need.
    if (watched == widget() && event->type() == QEvent::LayoutRequest) fit();
    return QScrollArea::eventFilter(watched, event);
}

void OptionsScrollArea::fit() {
    QWidget* rows = widget();
    if (!rows || !row_ || !inner_ || fitting_) return;
    fitting_ = true;
    const bool shown = row_->isVisibleTo(rows);
    const int others = rows->minimumSizeHint().height() - (shown ? row_->minimumHeight() : 0);
    asOne_ = shown && others + std::min(least_, limit_) > viewport()->height();
    if (asOne_) {
        // The row's caption and margins around the part that scrolls.
        const int chrome = std::max(0, row_->height() - inner_->height());
        const int whole = chrome + (contentHeight_ ? contentHeight_() : inner_->height());
        inner_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        row_->setMinimumHeight(whole);
        row_->setMaximumHeight(whole);
    } else {
        inner_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        row_->setMinimumHeight(std::min(least_, limit_));
        row_->setMaximumHeight(limit_);
    }
    fitting_ = false;
}
