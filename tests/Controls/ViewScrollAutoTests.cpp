// The self-arranging view: the row and column arithmetic and the shuffle that keeps the first.

#include <gtest/gtest.h>

#include <set>

#include "Controls/ViewScrollAuto.h"
#include "Support/UiTestFixture.h"

using controls::ViewScrollAuto;

namespace {

class ViewScrollAutoTest : public testsupport::UiTest {
  protected:
    QWidget* child(double w, double h, bool hidden = false) {
        auto* v = new appkit::View;
        v->resize(static_cast<int>(w), static_cast<int>(h));
        v->setHidden(hidden);
        arranged->addSubview(v);
        return v;
    }
    void SetUp() override {
        UiTest::SetUp();
        host.resize(400, 300);
        arranged = new ViewScrollAuto(&host);
        arranged->setFrame(cg::Rect(20, 10, 10, 30));
    }
    appkit::View host;
    ViewScrollAuto* arranged = nullptr;
};

TEST_F(ViewScrollAutoTest, RowStartsAtOwnXAndTakesTheVisibleWidths) {
    QWidget* a = child(30, 20);
    QWidget* hidden = child(40, 20, true);
    QWidget* b = child(50, 20);
    arranged->setDoAuto(false);  // either value arranges
    EXPECT_EQ(appkit::View::frameOf(a).origin.x, 20);
    EXPECT_EQ(appkit::View::frameOf(hidden).origin.x, 50);
    EXPECT_EQ(appkit::View::frameOf(b).origin.x, 50);
    EXPECT_EQ(arranged->frame(), cg::Rect(20, 10, 80, 30));
    EXPECT_FALSE(arranged->doAuto());
}

TEST_F(ViewScrollAutoTest, ColumnKeepsTheRowPositionsAcross) {
    QWidget* a = child(30, 20);
    QWidget* b = child(50, 15);
    arranged->setDoAuto(true);
    arranged->setDoAutoHeight(true);
    EXPECT_EQ(appkit::View::frameOf(a), cg::Rect(20, 10, 30, 20));
    EXPECT_EQ(appkit::View::frameOf(b), cg::Rect(50, 30, 50, 15));
    EXPECT_EQ(arranged->frame().size.height, 35);
}

TEST_F(ViewScrollAutoTest, ShuffleKeepsTheFirstAndEveryVisibility) {
    QWidget* first = child(10, 10);
    std::vector<QWidget*> rest;
    for (int i = 0; i < 6; ++i) rest.push_back(child(10 + i, 10, i == 2));
    arranged->setRandomEngine(std::mt19937_64(7));
    std::set<std::vector<QWidget*>> orders;
    for (int run = 0; run < 8; ++run) {
        arranged->setAutoRandom(false);
        const auto now = arranged->subviews();
        ASSERT_EQ(now.size(), 7u);
        EXPECT_EQ(now.front(), first);
        EXPECT_EQ(std::set<QWidget*>(now.begin() + 1, now.end()),
                  std::set<QWidget*>(rest.begin(), rest.end()));
        EXPECT_TRUE(rest[2]->isHidden());
        EXPECT_FALSE(rest[3]->isHidden());
        orders.insert(now);
    }
    EXPECT_GT(orders.size(), 1u);
    EXPECT_TRUE(arranged->doAuto());
    EXPECT_EQ(arranged->frame().size.width, 10 + 10 + 11 + 13 + 14 + 15);
}

TEST_F(ViewScrollAutoTest, EmptyAndSingle) {
    arranged->setAutoRandom(true);
    EXPECT_TRUE(arranged->subviews().empty());
    QWidget* only = child(25, 10);
    arranged->setAutoRandom(true);
    EXPECT_EQ(arranged->subviews(), std::vector<QWidget*>{only});
    EXPECT_EQ(arranged->frame().size.width, 25);
}

}  // namespace
