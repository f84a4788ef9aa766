#pragma once
// TableRowDrawing: what a row view given by a table's data source does for the table: it follows the
// row's selected state and may paint the selection (and hover) itself, in which case the table paints
// no selection fill of its own under that row. Main thread only.

namespace appkit {

class TableRowDrawing {
  public:
    virtual ~TableRowDrawing() = default;
    virtual void setRowSelected(bool selected) = 0;
    virtual bool drawsOwnSelection() const = 0;
};

}  // namespace appkit
