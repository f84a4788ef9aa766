#include <gtest/gtest.h>

#include <QScrollArea>
#include <QScrollBar>

#include "Extensions/AppKit/ScrollHelpers.h"
#include "Extensions/AppKit/ViewHelpers.h"
#include "Platform/AppKit/CollectionView.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

using ViewHelpersTest = testsupport::UiTest;

TEST_F(ViewHelpersTest, CornerRadiusIsTruncatedToHundredthsAndClips) {
    View v;
    EXPECT_EQ(view::cornerRadius(v), 0);
    EXPECT_EQ(view::borderColor(v), std::nullopt);
    EXPECT_EQ(view::backgroundColor(v), std::nullopt);
    EXPECT_FALSE(v.wantsLayer()) << "reading never makes a layer";

    view::setCornerRadius(v, 7.999);
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 7.99);
    EXPECT_TRUE(v.layer()->masksToBounds);
    view::setCornerRadius(v, -4);
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 4);
    view::setCornerRadius(v, 12.349);
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 12.34);
    view::setCornerRadius(v, -3.5);
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 3.5);
    view::setCornerRadius(v, std::nan(""));
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 3.5) << "an unrepresentable radius changes nothing";
    view::setCornerRadius(v, 1e300);
    EXPECT_DOUBLE_EQ(view::cornerRadius(v), 3.5);
}

TEST_F(ViewHelpersTest, StylingColoursRoundTripAndClear) {
    View v;
    const cg::Color orange{1, 0.5, 0, 1};
    view::setBorderColor(v, orange);
    view::setBorderWidth(v, 2);
    view::setBackgroundColor(v, cg::Color::clear());
    EXPECT_EQ(view::borderColor(v), orange);
    EXPECT_EQ(view::borderWidth(v), 2);
    EXPECT_EQ(view::backgroundColor(v), cg::Color::clear());
    view::setBorderColor(v, std::nullopt);
    EXPECT_EQ(view::borderColor(v), std::nullopt);
    EXPECT_TRUE(v.wantsLayer());
}

TEST_F(ViewHelpersTest, SizeAndSubviews) {
    View parent;
    parent.resize(200, 100);
    auto* child = new View;
    parent.addSubview(child);
    child->setFrame(cg::Rect(10, 10, 40, 20));
    view::setSize(*child, {60, 30});
    EXPECT_EQ(child->frame(), cg::Rect(10, 10, 60, 30)) << "origin kept in y-up coordinates";
    view::setWidth(*child, 80);
    EXPECT_EQ(view::size(*child), (cg::Size{80, 30}));
    view::setHeight(*child, 5);
    EXPECT_EQ(view::height(*child), 5);

    auto* a = new View;
    auto* b = new View;
    parent.addSubview(a);
    parent.addSubview(b);
    view::removeAllSubviews(parent);
    EXPECT_TRUE(parent.subviews().empty());
    view::addSubviews(parent, {b, child, a});
    EXPECT_EQ(parent.subviews(), (std::vector<QWidget*>{b, child, a}));
}

TEST_F(ViewHelpersTest, ScrollPropertiesIgnoreTheirValues) {
    QScrollArea area;
    auto* content = new QWidget;
    content->resize(100, 1000);
    area.setWidget(content);
    area.resize(120, 100);
    area.show();
    scrollview::setHideScroll(area, false);
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(scrollview::hideScroll(area));
    area.verticalScrollBar()->setValue(500);
    scrollview::setTopScroll(area, false);
    EXPECT_EQ(area.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(scrollview::topScroll(area));
    EXPECT_TRUE(scrollview::isFlipped());
    EXPECT_EQ(scrollview::scrollerInsets(area), (scrollview::ScrollerInsets{0, 0, -20, -20}));
    scrollview::setScrollerInsets(area, {});
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff) << "hidden scrollers stay off";
}

TEST_F(ViewHelpersTest, CollectionViewHidesItsScrollersByMovingThemOut) {
    // A tall list in a short view: it has a vertical scroller until its insets move it out.
    struct Items : CollectionViewDataSource {
        int numberOfItems(CollectionView&) override { return 200; }
        std::shared_ptr<CollectionViewItem> itemForIndex(CollectionView&, int) override {
            return std::make_shared<CollectionViewItem>();
        }
    } items;
    CollectionView list;
    list.setDataSource(&items);
    list.setLayout(CollectionView::Layout::List);
    list.setItemSize({100, 30});
    list.resize(150, 120);
    list.show();
    list.reloadData();
    QCoreApplication::processEvents();
    ASSERT_TRUE(list.verticalScrollBar()->isVisible());
    EXPECT_EQ(scrollview::scrollerInsets(list), scrollview::ScrollerInsets{});

    scrollview::setHideScroll(list, false);
    QCoreApplication::processEvents();
    EXPECT_FALSE(scrollview::hideScroll(list));
    EXPECT_EQ(scrollview::scrollerInsets(list), (scrollview::ScrollerInsets{0, 0, -20, -20}));
    EXPECT_FALSE(list.verticalScrollBar()->isVisible());
    list.verticalScrollBar()->setValue(300);
    EXPECT_EQ(list.verticalScrollBar()->value(), 300) << "the list still scrolls";

    // Insets that leave the scroller in view bring it back.
    scrollview::setScrollerInsets(list, {0, 0, 0, -2});
    QCoreApplication::processEvents();
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
}

}  // namespace
