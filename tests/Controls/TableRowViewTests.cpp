// Table rows and cells: what a user sees on hover and selection, with and without accent colours,
// and rows whose cells lack the subviews the drawing looks for.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWheelEvent>

#include "Controls/Button.h"
#include "Controls/DisablableScrollView.h"
#include "Controls/TableCellView.h"
#include "Controls/TableRowSimple.h"
#include "Controls/TableRowView.h"
#include "ControlsTestSupport.h"

using namespace controls;
using namespace controlstest;

namespace {

class TableRowTest : public ControlsTest {
  protected:
    // A row 300 x 40 whose first subview (the cell) holds `count` layered subviews.
    TableRowView* makeRow(int count) {
        auto* row = new TableRowView(&host);
        row->resize(300, 40);
        auto* cell = new appkit::View;
        cell->resize(300, 40);
        row->addSubview(cell);
        for (int i = 0; i < count; ++i) {
            auto* inner = new appkit::View;
            inner->setWantsLayer(true);
            cell->addSubview(inner);
            inner->resize(20, 20);
            inners.push_back(inner);
        }
        return row;
    }
    appkit::View host;
    std::vector<appkit::View*> inners;
};

TEST_F(TableRowTest, InsetRectAndFillsWithTheAccentOn) {
    TableRowView* row = makeRow(2);
    EXPECT_EQ(row->insetRect(cg::Rect(0, 0, 300, 40)), cg::Rect(10, 0, 275, 40));

    // Accent off: hovering paints a clear fill, nothing changes.
    enter(*row);
    EXPECT_EQ(row->fillColour(), cg::Color::clear());
    leave(*row);

    turnAccentOn();
    row->setSelected(true);
    EXPECT_EQ(row->rowSelection, cg::Color::clear());  // before the first entry
    enter(*row);
    EXPECT_EQ(row->rowSelection, kAccent);
    EXPECT_EQ(row->rowHover, cg::Color::clear());  // a clear hover colour stays clear
    EXPECT_EQ(row->fillColour(), kAccent);
    EXPECT_EQ(inners[1]->layer()->backgroundColor, kAccent);
    EXPECT_EQ(inners[1]->layer()->cornerRadius, 0);  // the unset radius -1 draws square

    const QImage image = grabImage(*row);
    EXPECT_TRUE(near(image.pixelColor(12, 20), kAccent));
    EXPECT_TRUE(near(image.pixelColor(283, 20), kAccent));
    EXPECT_FALSE(near(image.pixelColor(5, 20), kAccent));
    EXPECT_FALSE(near(image.pixelColor(290, 20), kAccent));

    leave(*row);
    EXPECT_EQ(inners[1]->layer()->backgroundColor, cg::Color::clear());
}

TEST_F(TableRowTest, HoverColourDerivesFromTheAccentPerStyle) {
    turnAccentOn();
    TableRowView* row = makeRow(2);
    row->rowHover = rgb(0.5, 0.5, 0.5);
    enter(*row);
    EXPECT_TRUE(colourNear(row->rowHover, rgb(0.4, 0.88, 1.0)));
    SystemAppearance::instance().overrideDesktopIsDark(true);
    row->applyAccentColors();
    EXPECT_TRUE(colourNear(row->rowHover, rgb(-0.3, 0.18, 0.7)));

    SystemAppearance::instance().setAccentColorsAvailable(false);
    TableRowView* old = makeRow(2);
    enter(*old);
    EXPECT_EQ(old->rowSelection, cg::Color::clear());
}

TEST_F(TableRowTest, RowsWithMissingSubviewsStillHoverAndDraw) {
    auto* bare = new TableRowView(&host);  // no cell at all
    bare->resize(200, 30);
    TableRowView* single = makeRow(1);    // no subview at index 1
    TableRowView* mainList = makeRow(3);  // a main-list row without buttons 5 and 6
    mainList->bIsForMainList = true;
    single->rowViewID = -4;
    for (TableRowView* row : {bare, single, mainList}) {
        row->setSelected(true);
        enter(*row);
        EXPECT_FALSE(grabImage(*row).isNull());
        leave(*row);
        row->setSelected(false);
    }
    EXPECT_EQ(single->objRow, nullptr);
}

TEST_F(TableRowTest, MainListButtonsAndTaggedButtonFollowHoverAndSelection) {
    TableRowView* row = makeRow(4);
    auto* cellInner = inners[1];
    std::vector<Button*> buttons;
    for (int i = 0; i < 7; ++i) {
        auto* b = new Button;
        cellInner->addSubview(b);
        buttons.push_back(b);
    }
    Button* a = buttons[5];
    Button* b = buttons[6];
    row->bIsForMainList = true;
    row->rowId = 1;
    row->setTagOf(buttons[0], 8);
    row->setSelected(false);
    EXPECT_TRUE(a->isHidden());
    enter(*row);
    EXPECT_FALSE(a->isHidden());
    EXPECT_FALSE(b->isHidden());
    EXPECT_FALSE(buttons[0]->isHidden());
    leave(*row);
    EXPECT_TRUE(a->isHidden());
    EXPECT_TRUE(buttons[0]->isHidden());

    b->setObjectName("0 px");  // an identifier that reads 0 keeps B hidden
    row->setSelected(true);
    EXPECT_FALSE(a->isHidden());
    EXPECT_TRUE(b->isHidden());
    b->setObjectName("2.5");
    enter(*row);
    leave(*row);
    EXPECT_FALSE(b->isHidden());
    EXPECT_FALSE(buttons[0]->isHidden());  // leaving a selected row keeps the tagged button
}

TEST_F(TableRowTest, ReadOnlyAndNoHoverRowsDrawNothing) {
    turnAccentOn();
    TableRowView* row = makeRow(2);
    row->bIsReadOnly = true;
    enter(*row);
    EXPECT_FALSE(row->fillColour().has_value());
    TableRowView* still = makeRow(2);
    still->bAllowMouseHover = false;
    still->updateTrackingRect();
    enter(*still);
    EXPECT_FALSE(still->bMouseInside);
}

TEST_F(TableRowTest, SimpleRowFillsTheWholeRow) {
    TableRowSimple row;
    row.resize(120, 20);
    row.setSelected(true);
    QImage image = grabImage(row);
    const cg::Color selection = TableRowSimple::alternateSelectedControlColor();
    EXPECT_TRUE(near(image.pixelColor(0, 0), selection));
    EXPECT_TRUE(near(image.pixelColor(119, 19), selection));
    row.setTargetForDropOperation(true);
    image = grabImage(row);
    EXPECT_TRUE(near(image.pixelColor(60, 10), rgb(0, 1, 0)));
}

TEST_F(TableRowTest, CellLightsUpAndPutsBackItsColours) {
    TableCellView cell;
    const cg::Color grey = rgb(0.9, 0.9, 0.9), red = rgb(1, 0, 0), blue = rgb(0, 0, 1);
    cell.setWantsLayer(true);
    cell.layer()->backgroundColor = grey;
    cell.rowHover = red;
    cell.borderHover = blue;
    cell.awakeFromNib();
    enter(cell);
    EXPECT_EQ(cell.layer()->backgroundColor, red);
    EXPECT_EQ(cell.layer()->borderColor, blue);
    EXPECT_EQ(cell.cursor().shape(), Qt::PointingHandCursor);
    leave(cell);
    EXPECT_EQ(cell.layer()->backgroundColor, grey);
    EXPECT_EQ(cell.cursor().shape(), Qt::ArrowCursor);

    TableCellView plain;  // clear hover colour: only the cursor changes
    plain.awakeFromNib();
    enter(plain);
    EXPECT_EQ(plain.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_NE(plain.layer()->backgroundColor, red);
}

TEST_F(TableRowTest, CellTakesTheAccentWhenTheSwitchIsOn) {
    turnAccentOn();
    TableCellView cell;
    cell.rowHover = rgb(1, 0, 0);
    cell.awakeFromNib();
    EXPECT_EQ(cell.rowHover, kAccent);
    EXPECT_EQ(cell.borderHover, kAccent);
    EXPECT_EQ(cell.borderColorBack, kAccent);
}

TEST_F(TableRowTest, DisabledScrollViewPassesTheWheelOn) {
    DisablableScrollView inner;
    inner.resize(200, 150);
    auto* content = new QWidget;
    content->resize(200, 1000);
    inner.setWidget(content);
    inner.show();
    // An ignored wheel event is the one Qt hands on to the view around.
    auto wheel = [&] {
        QWheelEvent event(QPointF(50, 50), inner.mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -240),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(inner.viewport(), &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(wheel());
    EXPECT_EQ(inner.verticalScrollBar()->value(), 0);
    inner.setScrollEnabled(true);
    EXPECT_TRUE(wheel());
    EXPECT_GT(inner.verticalScrollBar()->value(), 0);
}

}  // namespace
