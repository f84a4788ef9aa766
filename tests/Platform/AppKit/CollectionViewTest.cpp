#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>
#include <numeric>

#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/TableView.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

// An item that shows one value of the model it was made for.
class ValueItem : public CollectionViewItem {
  public:
    int value = -1;
    int selectionChanges = 0;

  protected:
    void selectionDidChange() override { ++selectionChanges; }
};

class ValueSource : public CollectionViewDataSource, public CollectionViewDelegate {
  public:
    int numberOfItems(CollectionView&) override { return static_cast<int>(values.size()); }
    std::shared_ptr<CollectionViewItem> itemForIndex(CollectionView& view, int index) override {
        ++made;
        auto item = std::dynamic_pointer_cast<ValueItem>(view.makeItem("valueItem", index));
        item->value = values[static_cast<std::size_t>(index)];
        return item;
    }
    void didSelectItems(CollectionView&, const std::set<int>& items) override { selected.push_back(items); }

    std::vector<int> values;
    int made = 0;
    std::vector<std::set<int>> selected;
};

class CollectionViewTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        board.registerController("valueItem", [] { return std::make_shared<ValueItem>(); });
        source.values.resize(10000);
        std::iota(source.values.begin(), source.values.end(), 0);
        view.setStoryboard(&board);
        view.setDataSource(&source);
        view.setDelegate(&source);
        view.setItemSize({100, 100});
        view.setSpacing(10, 10);
        view.setInsets(10, 10, 10, 10);
        view.resize(450, 340);  // 4 columns, 3 rows in view
        view.show();
        view.reloadData();
        drain();
    }
    int valueAt(int index) {
        auto* item = dynamic_cast<ValueItem*>(view.itemAtIndex(index));
        return item ? item->value : -1;
    }
    // Every visible item shows the model value of its index.
    void expectInStep() {
        for (int index : view.visibleIndexes())
            EXPECT_EQ(valueAt(index), source.values[std::size_t(index)]) << index;
    }

    Storyboard board{"Test"};
    ValueSource source;
    CollectionView view;
};

TEST_F(CollectionViewTest, TenThousandItemsMakeControllersOnlyForTheVisibleOnes) {
    EXPECT_EQ(view.numberOfItems(), 10000);
    EXPECT_LE(view.visibleIndexes().size(), 12u);
    EXPECT_GE(view.visibleIndexes().size(), 8u);
    EXPECT_LE(source.made, 12);
    EXPECT_EQ(view.itemAtIndex(100), nullptr);
    EXPECT_GT(view.verticalScrollBar()->maximum(), 270000);

    view.scrollToItem(5000, CollectionView::ScrollPosition::Top, true);
    drain();
    EXPECT_NE(view.itemAtIndex(5000), nullptr);
    EXPECT_EQ(view.itemAtIndex(0), nullptr);
    EXPECT_LE(view.visibleIndexes().size(), 16u);
    EXPECT_LE(source.made, 12 + 16);
    expectInStep();

    // Scrolling through everything never holds more than a screenful.
    int steps = 0;
    for (int value = 0; value < view.verticalScrollBar()->maximum(); value += 5000, ++steps) {
        view.verticalScrollBar()->setValue(value);
        ASSERT_LE(view.visibleIndexes().size(), 16u);
    }
    drain();
    EXPECT_LE(source.made, 28 + steps * 16);
}

TEST_F(CollectionViewTest, InsertAndDeleteKeepItemsAndSelectionInStep) {
    view.setSelectionIndexes({2, 5});
    source.values.erase(source.values.begin());
    view.deleteItems({0});
    drain();
    expectInStep();
    EXPECT_EQ(view.selectionIndexes(), (std::set<int>{1, 4}));
    EXPECT_EQ(valueAt(0), 1);

    source.values.insert(source.values.begin() + 1, {-7, -8});
    view.insertItems({1, 2});
    drain();
    expectInStep();
    EXPECT_EQ(valueAt(1), -7);
    EXPECT_EQ(view.selectionIndexes(), (std::set<int>{3, 6}));
    EXPECT_TRUE(view.itemAtIndex(3)->isSelected());
    EXPECT_FALSE(view.itemAtIndex(1)->isSelected());
    EXPECT_EQ(view.itemAtIndex(3)->view()->geometry(), view.frameForItem(3).translated(0, 0));

    source.values.resize(3);
    view.deleteItems([] {
        std::set<int> s;
        for (int i = 3; i < 10001; ++i) s.insert(i);
        return s;
    }());
    drain();
    EXPECT_EQ(view.numberOfItems(), 3);
    EXPECT_EQ(view.visibleIndexes().size(), 3u);
    EXPECT_TRUE(view.selectionIndexes().empty());
    expectInStep();
}

TEST_F(CollectionViewTest, ClicksSelectAndTellTheDelegate) {
    const QPoint second = view.frameForItem(1).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(view.selectionIndexes(), std::set<int>{1});
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, view.frameForItem(6).center());
    EXPECT_EQ(view.selectionIndexes(), (std::set<int>{1, 6}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ShiftModifier, view.frameForItem(3).center());
    EXPECT_EQ(view.selectionIndexes(), (std::set<int>{3, 4, 5, 6}));
    ASSERT_EQ(source.selected.size(), 3u);
    EXPECT_EQ(source.selected[1], std::set<int>{6});
    EXPECT_TRUE(view.itemAtIndex(4)->isSelected());

    view.setLayout(CollectionView::Layout::List);
    drain();
    EXPECT_EQ(view.frameForItem(1).width(), view.viewport()->width() - 20);
    expectInStep();
}

class RowSource : public TableViewDataSource {
  public:
    int numberOfRows(TableView&) override { return static_cast<int>(rows.size()); }
    QWidget* viewForRow(TableView& table, int row) override {
        View* view = table.makeView(rows[std::size_t(row)] == 0 ? "cellIDHeader" : "cellID");
        View::setTagOf(view, rows[std::size_t(row)]);
        ++made;
        return view;
    }
    double heightOfRow(TableView&, int row) override { return rows[std::size_t(row)] == 0 ? 40 : 20; }
    bool isGroupRow(TableView&, int row) override { return rows[std::size_t(row)] == 0; }
    void selectionDidChange(TableView&) override { ++changes; }

    std::vector<int> rows;
    int made = 0, changes = 0;
};

TEST_F(CollectionViewTest, TableMakesCellsByIdentifierForVisibleRowsOnly) {
    board.registerView("cellID", [] { return new View; });
    board.registerView("cellIDHeader", [] { return new View; });
    RowSource rows;
    rows.rows = {0, 1, 2, 3};
    for (int i = 4; i < 5000; ++i) rows.rows.push_back(i);
    TableView table;
    table.setStoryboard(&board);
    table.setDataSource(&rows);
    table.resize(300, 200);
    table.show();
    table.reloadData();
    drain();
    EXPECT_LE(rows.made, 10);
    EXPECT_EQ(table.viewAtRow(0)->objectName(), "cellIDHeader");
    EXPECT_EQ(table.viewAtRow(1)->objectName(), "cellID");
    EXPECT_EQ(table.rectOfRow(1).top(), 40);
    EXPECT_EQ(table.viewAtRow(100), nullptr);

    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(table.selectedRowIndexes().empty()) << "group rows are not selectable";
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, QPoint(10, 65));
    EXPECT_EQ(table.selectedRow(), 2);
    EXPECT_EQ(table.rowForView(table.viewAtRow(2)), 2);

    rows.rows.erase(rows.rows.begin() + 1);
    table.removeRows({1});
    drain();
    EXPECT_EQ(table.selectedRow(), 1);
    EXPECT_EQ(View::tagOf(table.viewAtRow(1)), 2);
    EXPECT_EQ(table.viewAtRow(1)->geometry().top(), 40);

    table.scrollRowToVisible(4000);
    drain();
    ASSERT_NE(table.viewAtRow(4000), nullptr);
    EXPECT_EQ(table.viewAtRow(1), nullptr);
    EXPECT_LE(rows.made, 40);
}

}  // namespace
