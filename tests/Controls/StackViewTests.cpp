// Stack view: priorities, the selection mark's geometry, that marks move and never pile up, and the
// overflow button and menu while views are detached.

#include <gtest/gtest.h>

#include "Controls/Button.h"
#include "Controls/StackView.h"
#include "ControlsTestSupport.h"

using namespace controls;

namespace {

class StackViewTest : public controlstest::ControlsTest {
  protected:
    void SetUp() override {
        ControlsTest::SetUp();
        stack.resize(1000, 30);
        stack.show();
        for (int i = 0; i < 3; ++i) {
            auto* b = new Button;
            b->setTitle(QString("Tab %1").arg(i));
            b->setFixedSize(100, 30);
            b->setBordered(false);  // tabs: the mark is drawn below a bezel, as a layer behind it
            stack.addView(b);
            buttons.push_back(b);
        }
    }
    std::shared_ptr<appkit::Layer> mark(Button* b) {
        for (const auto& l : b->layer()->sublayers)
            if (l->name == StackView::kSelectionMarkName) return l;
        return nullptr;
    }
    int marks(Button* b) { return StackView::selectionMarkCount(*b); }
    StackView stack;
    std::vector<Button*> buttons;
};

TEST_F(StackViewTest, PrioritiesAreAssignedWhateverTheValue) {
    stack.setVisibilityPriority(false);
    EXPECT_EQ(stack.visibilityPriorityForView(buttons[0]), 3.0f);
    EXPECT_EQ(stack.visibilityPriorityForView(buttons[1]), 2.0f);
    EXPECT_EQ(stack.visibilityPriorityForView(buttons[2]), 1.0f);
}

TEST_F(StackViewTest, UnderlineBarSitsAtTheBottomCentre) {
    stack.underSize = 0.5;
    stack.underOffset = {0, 2};
    stack.underColor = controlstest::rgb(1, 0, 0);
    stack.underSelected = 1;
    stack.setUnderSelection(true);
    EXPECT_EQ(buttons[1]->state(), ButtonBase::StateValue::On);
    EXPECT_EQ(buttons[0]->state(), ButtonBase::StateValue::Off);
    EXPECT_EQ(marks(buttons[1]), 0);  // drawn 0.1 s later
    mainQueue->advance(0.1);
    ASSERT_EQ(marks(buttons[1]), 1);
    EXPECT_EQ(mark(buttons[1])->path.boundingRect(), QRectF(25, 28, 50, 2));
    EXPECT_EQ(mark(buttons[1])->fillColor, controlstest::rgb(1, 0, 0));

    const QImage image = controlstest::grabImage(*buttons[1]);
    EXPECT_TRUE(controlstest::near(image.pixelColor(50, 29), controlstest::rgb(1, 0, 0)));
    EXPECT_FALSE(controlstest::near(image.pixelColor(10, 29), controlstest::rgb(1, 0, 0)));
}

TEST_F(StackViewTest, VerticalBarAndBorderedBox) {
    stack.underOffset = {3, 0};
    stack.underSize = 0.5;
    stack.underSelected = 0;
    stack.setUnderSelection(true);
    mainQueue->advance(0.1);
    EXPECT_EQ(mark(buttons[0])->path.boundingRect(), QRectF(0, 0, 3, 15));

    stack.underStyle = 2;
    stack.underRadius = {4, 9};
    stack.setUnderSelection(true);
    mainQueue->advance(0.1);
    ASSERT_EQ(marks(buttons[0]), 1);
    const auto box = mark(buttons[0]);
    EXPECT_EQ(box->frame, cg::Rect(0, 2, 100, 26));
    EXPECT_EQ(box->borderWidth, 3);
    EXPECT_EQ(box->cornerRadius, 4);
    EXPECT_EQ(box->autoresizingMask, 18u);
    EXPECT_TRUE(stack.layer()->masksToBounds);
}

TEST_F(StackViewTest, MarkMovesAndNeverPilesUp) {
    stack.underOffset = {0, 2};
    stack.underSelected = 0;
    for (int i = 0; i < 5; ++i) {
        stack.setUnderSelection(true);
        stack.drawSelectionUnderline();
    }
    mainQueue->advance(1);
    EXPECT_EQ(marks(buttons[0]), 1);

    // A button's own layers (its gradient) are not marks and stay.
    auto gradient = std::make_shared<appkit::Layer>(appkit::Layer::Kind::Gradient);
    buttons[0]->layer()->insertSublayer(gradient, 0);
    stack.selectButton(*buttons[2]);
    EXPECT_EQ(marks(buttons[0]), 0);
    EXPECT_EQ(marks(buttons[2]), 1);
    EXPECT_EQ(buttons[0]->layer()->sublayers.front(), gradient);
    stack.selectButton(*buttons[1]);
    stack.selectButton(*buttons[1]);
    EXPECT_EQ(marks(buttons[1]), 1);
    EXPECT_EQ(marks(buttons[2]), 0);
    EXPECT_EQ(buttons[1]->state(), ButtonBase::StateValue::On);
    EXPECT_EQ(buttons[2]->state(), ButtonBase::StateValue::Off);
}

TEST_F(StackViewTest, OutOfRangeSelectionsSelectNothingAndOffDrawsNothing) {
    for (long long index : {-3LL, 3LL, 99LL}) {
        stack.underSelected = index;
        stack.setUnderSelection(true);
        mainQueue->advance(0.1);
        for (Button* b : buttons) {
            EXPECT_EQ(b->state(), ButtonBase::StateValue::Off) << index;
            EXPECT_EQ(marks(b), 0) << index;
        }
    }
    stack.underSelected = 1;
    stack.setUnderSelection(false);
    mainQueue->advance(0.1);
    EXPECT_EQ(marks(buttons[1]), 0);
    stack.selectButton(*buttons[2]);
    EXPECT_EQ(buttons[2]->state(), ButtonBase::StateValue::Off);
}

TEST_F(StackViewTest, ToggleStyleUsesTheButtonsOwnLook) {
    stack.underStyle = 1;
    stack.underSelected = 2;
    stack.setUnderSelection(true);
    mainQueue->advance(0.1);
    EXPECT_EQ(buttons[2]->buttonType(), ButtonBase::ButtonType::Toggle);
    EXPECT_EQ(marks(buttons[2]), 0);
}

TEST_F(StackViewTest, OverflowButtonComesAndGoesWithDetachedViews) {
    buttons[2]->setTitle("");
    stack.setVisibilityPriority(true);
    stack.resize(150, 30);
    ASSERT_FALSE(stack.detachedViews().empty());
    ASSERT_TRUE(stack.hasOverflowRevealButton());
    Button* reveal = &stack.overflowRevealButton();
    EXPECT_EQ(reveal->title(), "...");
    EXPECT_EQ(reveal->parentWidget(), &stack);
    EXPECT_DOUBLE_EQ(reveal->alphaValue(), 0.75);
    EXPECT_FALSE(buttons[0]->isHidden());  // the highest priority stays

    const auto menu = stack.overflowMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Detached Items");
    ASSERT_EQ(menu->items().size(), 1u);  // the untitled button gets no item
    EXPECT_EQ(menu->items()[0]->title(), "Tab 1");
    int clicks = 0;
    buttons[1]->setAction([&](ButtonBase&) { ++clicks; });
    menu->items()[0]->trigger();
    EXPECT_EQ(clicks, 1);

    stack.resize(400, 30);
    EXPECT_TRUE(stack.detachedViews().empty());
    EXPECT_EQ(reveal->parentWidget(), nullptr);
    EXPECT_EQ(stack.overflowMenu(), nullptr);
    stack.resize(60, 30);
    EXPECT_EQ(&stack.overflowRevealButton(), reveal);
    EXPECT_EQ(reveal->parentWidget(), &stack);
}

TEST_F(StackViewTest, DefaultUpdateRefillsInOrder) {
    auto* extra = new Button;
    stack.update(stack, {buttons[2], extra, buttons[0]});
    EXPECT_EQ(stack.views(), (std::vector<QWidget*>{buttons[2], extra, buttons[0]}));
    delete buttons[1];  // removed from the stack, no longer owned by it
}

}  // namespace
