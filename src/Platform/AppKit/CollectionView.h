#pragma once
// CollectionView: a scrolling grid or list of items. Item controllers exist only for the items in
// view (made on demand through the data source, usually by identifier from the storyboard), so a
// list of tens of thousands of images scrolls as lightly as a short one. Insert, delete and reload
// keep the visible items and the selection in step; moves animate in the current animation group.
// Main thread only.

#include <QAbstractScrollArea>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "Platform/AppKit/CollectionViewItem.h"
#include "Platform/Graphics/Geometry.h"

namespace appkit {

class CollectionView;
class Storyboard;

class CollectionViewDataSource {
  public:
    virtual ~CollectionViewDataSource() = default;
    virtual int numberOfItems(CollectionView& view) = 0;
    virtual std::shared_ptr<CollectionViewItem> itemForIndex(CollectionView& view, int index) = 0;
};

class CollectionViewDelegate {
  public:
    virtual ~CollectionViewDelegate() = default;
    virtual void didSelectItems(CollectionView&, const std::set<int>&) {}
    virtual void didDeselectItems(CollectionView&, const std::set<int>&) {}
};

class CollectionView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    enum class Layout { Grid, List };
    enum class ScrollPosition { Nearest, Top, Bottom };

    explicit CollectionView(QWidget* parent = nullptr);
    ~CollectionView() override;

    void setDataSource(CollectionViewDataSource* dataSource) { dataSource_ = dataSource; }
    void setDelegate(CollectionViewDelegate* delegate) { delegate_ = delegate; }
    void setStoryboard(Storyboard* storyboard) { storyboard_ = storyboard; }

    // A new item controller for the identifier, from the storyboard (Storyboard::main() by default).
    std::shared_ptr<CollectionViewItem> makeItem(const std::string& identifier, int index);

    void setLayout(Layout layout);
    Layout layoutKind() const { return layout_; }
    void setItemSize(cg::Size size);
    cg::Size itemSize() const { return itemSize_; }
    void setSpacing(double interitem, double line);
    void setInsets(double top, double left, double bottom, double right);

    int numberOfItems() const { return count_; }
    void reloadData();
    void reloadItems(const std::set<int>& indexes);
    void insertItems(const std::set<int>& indexes);
    void deleteItems(const std::set<int>& indexes);

    // The item controller of a visible item, or nullptr.
    CollectionViewItem* itemAtIndex(int index) const;
    int indexOfItem(const CollectionViewItem* item) const;
    std::vector<int> visibleIndexes() const;
    int indexAt(QPoint viewportPoint) const;
    // The frame of an item in content coordinates (y down from the top of the content).
    QRect frameForItem(int index) const;
    QSize contentSize() const;

    bool isSelectable() const { return selectable_; }
    void setSelectable(bool selectable) { selectable_ = selectable; }
    void setAllowsMultipleSelection(bool allows) { multiple_ = allows; }
    const std::set<int>& selectionIndexes() const { return selection_; }
    // Replaces the selection without telling the delegate, as programmatic changes do.
    void setSelectionIndexes(const std::set<int>& indexes);
    void selectAll();
    void deselectAll();

    // Animated: the scroll runs in the current animation group (or with the default duration).
    void scrollToItem(int index, ScrollPosition position = ScrollPosition::Nearest, bool animated = false);

  Q_SIGNALS:
    void itemDoubleClicked(int index);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    int columns() const;
    cg::Size cellSize() const;
    void updateScrollRange();
    void layoutItems(bool animated);
    void dropItem(int index);
    void applySelection(const std::set<int>& selection, bool notify);

    CollectionViewDataSource* dataSource_ = nullptr;
    CollectionViewDelegate* delegate_ = nullptr;
    Storyboard* storyboard_ = nullptr;
    Layout layout_ = Layout::Grid;
    cg::Size itemSize_{100, 100};
    double interitem_ = 10, line_ = 10;
    double insetTop_ = 10, insetLeft_ = 10, insetBottom_ = 10, insetRight_ = 10;
    int count_ = 0;
    std::map<int, std::shared_ptr<CollectionViewItem>> visible_;
    std::set<int> selection_;
    int anchor_ = -1;
    bool selectable_ = true;
    bool multiple_ = true;
};

}  // namespace appkit
