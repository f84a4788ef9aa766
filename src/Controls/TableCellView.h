#pragma once
// TableCellView: a table cell that lights up under the pointer (background and border colours, a
// pointing-hand cursor) and puts back the colours it had when it was set up. Main thread only.

#include "Platform/AppKit/View.h"

namespace controls {

class TableCellView : public appkit::View {
    Q_OBJECT
  public:
    explicit TableCellView(QWidget* parent = nullptr) : appkit::View(parent) {}
    bool isFlipped() const override { return true; }

    cg::Color rowHover = cg::Color::clear();
    cg::Color borderHover = cg::Color::clear();
    cg::Color bgColorBack = cg::Color::clear();
    cg::Color borderColorBack = cg::Color::clear();

    bool acceptsFirstMouse() const { return true; }
    // Called by the scene builder after it has applied the designed attributes.
    virtual void awakeFromNib() { prepareHover(); }
    void prepareHover();
    virtual void applyHover(bool hovered);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    bool tracking_ = false;
};

}  // namespace controls
