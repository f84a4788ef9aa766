#pragma once
// TableRowView: a table row with a rounded, inset fill while the pointer is over it (hover colour)
// or while it is selected and hovered (selection colour), accent colours when the accent switch is
// on, and buttons of its cell that show only while the row is hovered or selected. Rows whose cell
// lacks the expected subviews simply skip those steps. Main thread only.

#include <optional>

#include "Platform/AppKit/TableRowDrawing.h"
#include "Platform/AppKit/View.h"

namespace controls {

class TableView;

class TableRowView : public appkit::View, public appkit::TableRowDrawing {
    Q_OBJECT
  public:
    explicit TableRowView(QWidget* parent = nullptr);
    bool isFlipped() const override { return true; }

    // Stored fields, set by the scene builder.
    bool isHover = false;
    bool bMouseInside = false;
    std::optional<int> trackingRectTag;
    bool bIsReadOnly = false;
    std::optional<int> rowId;
    bool bIsForMainList = false;
    double leftOffset = 10;
    double rightOffset = 15;
    double topOffset = 0;
    double bottomOffset = 0;
    bool bAllowMouseHover = true;
    bool bCanDrawSelection = true;
    TableView* objTable = nullptr;
    QWidget* objRow = nullptr;  // found again at every refresh
    cg::Color rowHover = cg::Color::clear();
    cg::Color rowSelection = cg::Color::clear();
    double rowRadius = -1;
    int rowViewID = 1;

    bool isSelected() const { return selected_; }
    void setSelected(bool selected);
    void setRowSelected(bool selected) override {
        if (selected != selected_) setSelected(selected);
    }
    bool drawsOwnSelection() const override { return !bIsReadOnly && bCanDrawSelection; }
    bool acceptsFirstMouse() const { return true; }

    // The fill rectangle inside `rect` (Qt coordinates, y down) after the four offsets.
    cg::Rect insetRect(const cg::Rect& rect) const;
    // The fill colour while hovered now (selection colour when selected), or absent when the row
    // shows no fill.
    std::optional<cg::Color> fillColour() const;

    virtual void mouseEntered();
    virtual void mouseExited();
    virtual void applyAccentColors();
    virtual void refreshRowLayer(bool hover);
    virtual void updateTrackingRect();
    virtual void setTaggedButtonHidden(bool hidden);

  protected:
    void drawContent(QPainter& painter) override;
    void drawSelectionInRect(QPainter& painter, const cg::Rect& rect);
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // Finds objRow and sets what hover and selection decide outside painting: the main list's
    // buttons and the inner view's fill.
    void refreshState();
    void fillRounded(QPainter& painter, const cg::Rect& rect, const cg::Color& colour);

    bool selected_ = false;
    bool tracking_ = false;
    int nextTrackingTag_ = 1;
};

// A row for the screens' lists: its selection shows as a rounded fill in the accent colour from the
// start (the accent switch is off unless a screen turns it on).
TableRowView* makeListRow();

}  // namespace controls
