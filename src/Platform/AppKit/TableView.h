#pragma once
// TableView: a scrolling single-column table whose rows are views made by identifier (cell views
// from the storyboard), created only for the rows in view. Rows may have their own heights; group
// rows are not selectable. Insert and remove keep the visible rows and the selection in step, and
// moves animate in the current animation group. Main thread only.

#include <QAbstractScrollArea>
#include <QPointer>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace appkit {

class Storyboard;
class TableView;
class View;

class TableViewDataSource {
  public:
    virtual ~TableViewDataSource() = default;
    virtual int numberOfRows(TableView& table) = 0;
    // A new view for the row (usually table.makeView(identifier)); the table owns it.
    virtual QWidget* viewForRow(TableView& table, int row) = 0;
    // A new row view to hold the row's cell (the table owns it), or nullptr for a bare cell. A row
    // view that is a TableRowDrawing follows the selection and may paint it itself.
    virtual QWidget* rowViewForRow(TableView&, int) { return nullptr; }
    virtual double heightOfRow(TableView& table, int row);
    virtual bool isGroupRow(TableView&, int) { return false; }
    virtual bool shouldSelectRow(TableView&, int) { return true; }
    virtual void selectionDidChange(TableView&) {}
};

class TableView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit TableView(QWidget* parent = nullptr);

    void setDataSource(TableViewDataSource* dataSource) { dataSource_ = dataSource; }
    void setStoryboard(Storyboard* storyboard) { storyboard_ = storyboard; }
    View* makeView(const std::string& identifier) const;

    double rowHeight() const { return rowHeight_; }
    void setRowHeight(double height);
    int numberOfRows() const { return static_cast<int>(offsets_.size()) - 1; }

    void reloadData();
    void reloadRows(const std::set<int>& rows);
    void insertRows(const std::set<int>& rows);
    void removeRows(const std::set<int>& rows);

    // The cell view of a row in view, or nullptr; never makes one.
    QWidget* viewAtRow(int row) const;
    // The row view holding that cell (the cell itself when the data source gave no row view).
    QWidget* rowViewAtRow(int row) const;
    // The row whose view holds `widget` (at any depth), or -1.
    int rowForView(const QWidget* widget) const;
    int rowAt(QPoint viewportPoint) const;
    QRect rectOfRow(int row) const;  // content coordinates

    void setAllowsMultipleSelection(bool allows) { multiple_ = allows; }
    const std::set<int>& selectedRowIndexes() const { return selection_; }
    int selectedRow() const { return selection_.empty() ? -1 : *selection_.begin(); }
    void selectRowIndexes(const std::set<int>& rows, bool extend);
    void selectAll();
    void deselectAll();

    void scrollRowToVisible(int row);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void computeOffsets();
    void updateScrollRange();
    void layoutRows(bool animated);
    void dropRow(int row);
    void setSelection(std::set<int> selection);
    void syncRowSelection();

    struct VisibleRow {
        QPointer<QWidget> view;  // the row view, or the cell when there is none
        QPointer<QWidget> cell;
    };
    static void placeRow(const VisibleRow& row, const QRect& rect);

    TableViewDataSource* dataSource_ = nullptr;
    Storyboard* storyboard_ = nullptr;
    double rowHeight_ = 24;
    std::vector<double> offsets_{0};  // offsets_[r] = top of row r; the last entry is the content height
    std::map<int, VisibleRow> visible_;
    std::set<int> selection_;
    bool multiple_ = false;
};

}  // namespace appkit
