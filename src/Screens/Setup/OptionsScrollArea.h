#pragma once
// OptionsScrollArea: the scrolling column of an options pane with one row that scrolls on its own
// (the effects grid). While the rows fit with that row at its least height, the row takes the room
// left, up to its limit, and scrolls itself; when they do not, the row grows to show everything it
// holds and the column scrolls as one. Either way no scroll bar shows inside another.
// Main thread only.

#include <QPointer>
#include <QScrollArea>
#include <functional>

class OptionsScrollArea : public QScrollArea {
  public:
    explicit OptionsScrollArea(QWidget* parent = nullptr);

    // `rows` becomes the scrolled widget. `row`, one of its rows, holds `inner`, which scrolls on its
    // own; `least` is the row's least height while it does; `contentHeight` gives the height of all
    // that `inner` holds at its present width.
    void setRows(QWidget* rows, QWidget* row, QAbstractScrollArea* inner, int least,
                 std::function<int()> contentHeight);
    // The most the row takes while it scrolls itself.
    void setRowLimit(double height);
    // Whether the column scrolls as one, the row showing all it holds.
    bool scrollsAsOne() const { return asOne_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fit();

    QPointer<QWidget> row_;
    QPointer<QAbstractScrollArea> inner_;
    int least_ = 0;
    int limit_ = QWIDGETSIZE_MAX;
    std::function<int()> contentHeight_;
    bool asOne_ = false;
    bool fitting_ = false;
};
