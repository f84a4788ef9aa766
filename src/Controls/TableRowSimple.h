#pragma once
// TableRowSimple: a plain table row that paints its whole width in the selection colour when
// selected and green while it is the target of a drop. Main thread only.

#include "Platform/AppKit/TableRowDrawing.h"
#include "Platform/AppKit/View.h"

namespace controls {

class TableRowSimple : public appkit::View, public appkit::TableRowDrawing {
    Q_OBJECT
  public:
    explicit TableRowSimple(QWidget* parent = nullptr) : appkit::View(parent) {}
    bool isFlipped() const override { return true; }

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    void setRowSelected(bool selected) override { setSelected(selected); }
    bool drawsOwnSelection() const override { return true; }
    bool isTargetForDropOperation() const { return dropTarget_; }
    void setTargetForDropOperation(bool target);

    static cg::Color alternateSelectedControlColor();

  protected:
    void drawContent(QPainter& painter) override;

  private:
    bool selected_ = false;
    bool dropTarget_ = false;
};

}  // namespace controls
