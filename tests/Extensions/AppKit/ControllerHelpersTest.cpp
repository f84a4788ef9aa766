#include <gtest/gtest.h>

#include "Extensions/AppKit/AnimationHelpers.h"
#include "Extensions/AppKit/CollectionHelpers.h"
#include "Extensions/AppKit/MenuHelpers.h"
#include "Extensions/AppKit/PathHelpers.h"
#include "Extensions/AppKit/ViewControllerHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/Workspace.h"
#include "Support/RecordingWorkspace.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

using ControllerHelpersTest = testsupport::UiTest;

TEST_F(ControllerHelpersTest, InstantiatesItemsFromTheControllersStoryboard) {
    Storyboard board("Test");
    board.registerController("imagePreview", [] { return std::make_shared<CollectionViewItem>(); });
    board.registerController("plain", [] { return std::make_shared<ViewController>(); });
    auto owner = board.instantiateController("plain");
    auto item = viewcontroller::instantiateController(*owner, "imagePreview");
    ASSERT_NE(item, nullptr);
    EXPECT_NE(item, viewcontroller::instantiateController(*owner, "imagePreview")) << "a new item each time";
    EXPECT_EQ(viewcontroller::instantiateController(*owner, "plain"), nullptr);
    ViewController orphan;
    EXPECT_EQ(viewcontroller::instantiateController(orphan, "imagePreview"), nullptr);
}

TEST_F(ControllerHelpersTest, TransitionToSiblingDetachesTheCallerAfterwards) {
    auto parent = std::make_shared<ViewController>();
    auto first = std::make_shared<ViewController>();
    auto second = std::make_shared<ViewController>();
    parent->view()->resize(300, 200);
    parent->view()->show();
    parent->addChild(first);
    parent->addChild(second);
    parent->view()->addSubview(second->view());

    viewcontroller::transitionToSibling(*second, TransitionOption::SlideDown, 0);
    drain();
    ASSERT_EQ(parent->children().size(), 1u);
    EXPECT_EQ(parent->children()[0], first);
    EXPECT_EQ(second->parent(), nullptr);
    EXPECT_EQ(second->view()->parentWidget(), nullptr);
    EXPECT_EQ(first->view()->parentWidget(), parent->view());

    ViewController lonely;
    viewcontroller::transitionToSibling(lonely, TransitionOption::SlideDown, 0);  // no parent: nothing
    viewcontroller::transitionToSibling(*first, TransitionOption::SlideDown, 5);  // no such sibling
    EXPECT_EQ(parent->children().size(), 1u);

    viewcontroller::removeFromParentAndView(*first);
    EXPECT_TRUE(parent->children().empty());
    EXPECT_EQ(first->view()->parentWidget(), nullptr);
}

TEST_F(ControllerHelpersTest, CheckOnlyItemLeavesExactlyOneOn) {
    Menu m;
    for (int tag = 1; tag <= 3; ++tag) m.addItem(QString::number(tag), [](MenuItem&) {})->setTag(tag);
    menu::checkOnlyItem(m, 1);
    EXPECT_EQ(m.itemAtIndex(1)->state(), MenuItem::State::On);
    menu::checkOnlyItemWithTag(m, 3);
    EXPECT_EQ(m.itemAtIndex(1)->state(), MenuItem::State::Off);
    EXPECT_EQ(m.itemAtIndex(2)->state(), MenuItem::State::On);
    menu::checkOnlyItemWithTag(m, 9);
    for (auto* item : m.items()) EXPECT_EQ(item->state(), MenuItem::State::Off);
    EXPECT_EQ(menu::checkOnlyItem(m, m.itemAtIndex(0)), 0);
    EXPECT_EQ(m.itemAtIndex(0)->state(), MenuItem::State::On);
}

TEST_F(ControllerHelpersTest, PathsListsAndPredicates) {
    BezierPath path;
    path.moveTo({0, 0});
    path.lineTo({10, 0});
    path.curveTo({20, 10}, {12, 0}, {20, 8});
    path.closePath();
    const QPainterPath converted = bezierpath::cgPath(path);
    ASSERT_EQ(converted.elementCount(), 6);  // a cubic takes three entries
    EXPECT_EQ(QPointF(converted.elementAt(1)), QPointF(10, 0));
    EXPECT_EQ(QPointF(converted.elementAt(2)), QPointF(12, 0));
    EXPECT_EQ(QPointF(converted.elementAt(4)), QPointF(20, 10));
    EXPECT_TRUE(bezierpath::quartzPath(BezierPath()).isEmpty());

    const std::vector<std::any> nested{1, std::vector<std::any>{2, std::vector<std::any>{3, 4}}, 5};
    const auto flat = array::flattened(nested);
    ASSERT_EQ(flat.size(), 5u);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(std::any_cast<int>(flat[std::size_t(i)]), i + 1);
    EXPECT_TRUE(array::flattened({}).empty());

    const Predicate big("value > 2", [](const std::any& v) { return std::any_cast<int>(v) > 2; });
    const Predicate even("value % 2 == 0", [](const std::any& v) { return std::any_cast<int>(v) % 2 == 0; });
    EXPECT_TRUE((big && even).evaluate(4));
    EXPECT_FALSE((big && even).evaluate(3));
    EXPECT_TRUE((big || even).evaluate(2));
    EXPECT_TRUE((!big).evaluate(1));
    EXPECT_TRUE((big - even).evaluate(3));
    EXPECT_FALSE((big - even).evaluate(4));
    EXPECT_EQ((big - even).format(), "(value > 2) AND (NOT value % 2 == 0)");

    ArrayController controller;
    controller.setContent(std::vector<std::any>{1, 2, 3, 4});
    controller.setFilterPredicate(even);
    EXPECT_EQ(controller.arrangedObjects().size(), 2u);
    arraycontroller::removeAllContent(controller);
    EXPECT_TRUE(controller.content()->empty());
    EXPECT_TRUE(controller.arrangedObjects().empty());
}

TEST_F(ControllerHelpersTest, AnimateRunsChangesOnceInsideAndCompletionOnceAfter) {
    View v;
    v.resize(10, 10);
    int changes = 0, completions = 0;
    animationcontext::animate(
        0.3, TimingFunction::easeInEaseOut(),
        [&] {
            ++changes;
            animator(v).setAlphaValue(0.5);
        },
        [&] { ++completions; });
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(completions, 0);
    drain();
    EXPECT_EQ(completions, 1);
    EXPECT_DOUBLE_EQ(v.alphaValue(), 0.5);
    animationcontext::animate(0.3, TimingFunction::linear(), [&] { ++changes; });
    drain();
    EXPECT_EQ(changes, 2);

    auto backend = std::make_unique<testsupport::RecordingWorkspace>();
    auto* recording = backend.get();
    Workspace::shared().setBackend(std::move(backend));
    revealInFinder("/no/such/folder/photo 1.jpg");
    EXPECT_EQ(recording->shown, std::vector<std::string>{"file:///no/such/folder/photo 1.jpg"});
    Workspace::shared().setBackend(nullptr);
}

}  // namespace
