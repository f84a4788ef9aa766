#include <gtest/gtest.h>

#include <QTest>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Platform/AppKit/Window.h"
#include "RecordingController.h"
#include "Support/UiTestFixture.h"

using namespace appkit;
using testsupport::RecordingController;

namespace {

class SegueTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        for (const char* scene : {"Holder", "First", "Second", "Third", "Parent", "Grid"}) {
            board.registerController(scene,
                                     [log = log] { return std::make_shared<RecordingController>(log); });
        }
        board.addSegue({"Holder", "Segue_First", "First", SegueKind::Child});
        board.addSegue({"Holder", "SlideLeft_Second", "Second", SegueKind::Child});
        board.addSegue({"Holder", "SlideRight_Third", "Third", SegueKind::Child});
        board.addSegue({"Holder", "SlideUp_Second", "Second", SegueKind::Sub});
        board.addSegue({"Holder", "SID_Grid", "Grid", SegueKind::Embed});
        board.addSegue({"First", "SlideLeft_Second", "Second", SegueKind::Swap});
        board.addSegue({"First", "SlideLeft_Win", "Second", SegueKind::Win});
        board.addSegue({"First", "SlideUp_Pop", "Second", SegueKind::Pop});
    }

    std::shared_ptr<RecordingController> make(const std::string& scene) {
        return std::static_pointer_cast<RecordingController>(board.instantiateController(scene));
    }
    // A holder of the given size in a window, with its first child embedded.
    std::shared_ptr<RecordingController> holderInWindow(int w, int h) {
        auto holder = make("Holder");
        window.setContentViewController(holder);
        window.resize(w, h);
        window.show();
        holder->performSegue("Segue_First");
        log->clear();
        return holder;
    }

    testsupport::Log log = std::make_shared<std::vector<std::string>>();
    Storyboard board{"Test"};
    Window window;
};

TEST_F(SegueTest, TransitionOptionsComeFromTheFirstWordOfTheIdentifier) {
    using namespace TransitionOption;
    EXPECT_EQ(segueTransitionOptions("SlideUp_Activity"), SlideUp);
    EXPECT_EQ(segueTransitionOptions("Segue_Activity"), None);
    EXPECT_EQ(segueTransitionOptions("SlideLeft"), SlideLeft);
    EXPECT_EQ(segueTransitionOptions("slideleft_Tabbar"), None);
    EXPECT_EQ(segueTransitionOptions("VideoTheme2_Anything"), SlideLeft);
    EXPECT_EQ(segueTransitionOptions("VerseTheme3"), SlideLeft);
    EXPECT_EQ(segueTransitionOptions("AudioTheme4_X"), None);
    EXPECT_EQ(segueTransitionOptions("SlideUp_Second_Target"), SlideUp);
    EXPECT_EQ(segueTransitionOptions("SlideRight_PresetList"), SlideRight);
    EXPECT_EQ(segueTransitionOptions("SlideDown_X"), SlideDown);
    EXPECT_EQ(segueTransitionOptions("SlideBackward_X"), 384u);
    EXPECT_EQ(segueTransitionOptions("SlideForward_X"), 320u);
    EXPECT_EQ(segueTransitionOptions("Crossfade_X"), Crossfade);
    EXPECT_EQ(segueTransitionOptions("AllowUserInteraction_X"), 4096u);
    EXPECT_EQ(segueTransitionOptions(""), None);
    EXPECT_EQ(segueTransitionOptions("_SlideLeft"), None);
}

TEST_F(SegueTest, PerformPreparesOnThePerformerThenBuildsTheViewThenAnimates) {
    auto holder = holderInWindow(400, 300);
    holder->performSegue("SlideUp_Second", std::string("payload"));
    ASSERT_EQ(log->size(), 3u);
    EXPECT_EQ((*log)[0], "Holder:prepare SlideUp_Second -> Second");
    EXPECT_EQ((*log)[1], "Second:viewDidLoad");
    EXPECT_EQ((*log)[2], "Holder:transition First -> Second options 16");
    auto* second = dynamic_cast<RecordingController*>(holder->children().at(1).get());
    ASSERT_NE(second, nullptr);
    // The new screen is already a child of its container when its view loads.
    EXPECT_EQ(second->parentWhenLoaded, holder.get());
    EXPECT_EQ(std::any_cast<std::string>(holder->lastSender), "payload");
}

TEST_F(SegueTest, ChildSegueEmbedsFirstThenReplacesWithExactlyOneChildLeft) {
    auto holder = make("Holder");
    window.setContentViewController(holder);
    window.resize(500, 320);
    window.show();
    holder->performSegue("Segue_First");
    ASSERT_EQ(holder->children().size(), 1u);
    auto first = holder->children()[0];
    EXPECT_EQ(first->view()->parentWidget(), holder->view());
    EXPECT_EQ(first->view()->size(), holder->view()->size());
    EXPECT_EQ(log->back(), "First:viewDidLoad");  // no transition for the embed

    holder->performSegue("SlideLeft_Second");
    drain();
    ASSERT_EQ(holder->children().size(), 1u);
    auto second = holder->children()[0];
    EXPECT_EQ(second->identifier(), "Second");
    EXPECT_EQ(first->view()->parentWidget(), nullptr);
    EXPECT_EQ(second->view()->parentWidget(), holder->view());
    EXPECT_TRUE(second->view()->isVisible());
    EXPECT_EQ(second->view()->geometry(), holder->view()->rect());
}

TEST_F(SegueTest, OverlappingTransitionsRemoveTheScreenThatWasReplaced) {
    auto holder = holderInWindow(400, 300);
    AnimationClock::setDurationScale(1);
    holder->performSegue("SlideLeft_Second");
    ASSERT_TRUE(holder->isTransitioning());
    holder->performSegue("SlideRight_Third");
    wait(int(AnimationClock::transitionDuration * 1000) + 200);
    ASSERT_EQ(holder->children().size(), 1u);
    auto shown = holder->children()[0];
    EXPECT_EQ(shown->identifier(), "Third");
    EXPECT_EQ(shown->view()->parentWidget(), holder->view());
    EXPECT_EQ(shown->view()->geometry(), holder->view()->rect());
    EXPECT_EQ(holder->view()->subviews().size(), 1u);
}

TEST_F(SegueTest, SubSegueKeepsTheOldChildAndGrowsByOneEachTime) {
    auto holder = holderInWindow(400, 300);
    holder->performSegue("SlideUp_Second");
    holder->performSegue("SlideUp_Second");
    drain();
    ASSERT_EQ(holder->children().size(), 3u);
    EXPECT_EQ(holder->children()[0]->identifier(), "First");
}

TEST_F(SegueTest, SiblingSeguesSwapChildrenOfTheSourcesParent) {
    auto holder = holderInWindow(400, 300);
    auto first = holder->children()[0];
    first->performSegue("SlideLeft_Second");
    drain();
    ASSERT_EQ(holder->children().size(), 1u);
    EXPECT_EQ(holder->children()[0]->identifier(), "Second");
    EXPECT_EQ(holder->children()[0]->view()->size(), QSize(400, 300));

    auto second = holder->children()[0];
    holder->children()[0]->performSegue("SlideUp_Pop");  // no such segue from "Second": nothing happens
    EXPECT_EQ(holder->children()[0], second);
}

TEST_F(SegueTest, WindowSegueCentresTheWindowOnTheDestinationSize) {
    auto holder = holderInWindow(600, 400);
    window.setFrame(cg::Rect(300, 200, 600, 400));
    auto first = holder->children()[0];
    board.registerController("Second", [log = log] {
        auto c = std::make_shared<RecordingController>(log);
        c->view()->resize(800, 500);
        return c;
    });
    const cg::Rect before = window.frame();
    first->performSegue("SlideLeft_Win");
    drain();
    const cg::Rect after = window.frame();
    EXPECT_EQ(after.origin.x - before.origin.x, -100);
    EXPECT_EQ(after.origin.y - before.origin.y, -50);
    EXPECT_EQ(after.size, (cg::Size{800, 500}));
    ASSERT_EQ(holder->children().size(), 1u);
    EXPECT_EQ(holder->children()[0]->identifier(), "Second");
}

TEST_F(SegueTest, EmbedCallsPrepareForSegueWithItsIdentifier) {
    auto holder = make("Holder");
    holder->view()->resize(400, 300);
    holder->view()->show();
    auto* container = new View(holder->view());
    container->setGeometry(10, 10, 200, 100);
    container->show();
    auto* grid = holder->embedSegue("SID_Grid", container);
    ASSERT_NE(grid, nullptr);
    ASSERT_GE(log->size(), 2u);
    EXPECT_EQ((*log)[log->size() - 2], "Holder:prepare SID_Grid -> Grid");
    EXPECT_EQ(log->back(), "Grid:viewDidLoad");
    EXPECT_EQ(grid->parent(), holder.get());
    EXPECT_EQ(grid->view()->parentWidget(), container);
    EXPECT_EQ(grid->view()->size(), QSize(200, 100));
    container->resize(300, 150);
    EXPECT_EQ(grid->view()->size(), QSize(300, 150));
}

TEST_F(SegueTest, WindowCountsItsSheetsAndDismissRemovesThem) {
    auto holder = holderInWindow(400, 300);
    auto sheet = make("Second");
    holder->presentAsSheet(sheet);
    drain();
    EXPECT_EQ(window.sheetCount(), 1);
    EXPECT_EQ(sheet->presentingViewController(), holder.get());
    EXPECT_EQ(sheet->window(), nullptr);  // shown in its own panel, not the main window
    sheet->dismiss();
    drain();
    EXPECT_EQ(window.sheetCount(), 0);
    EXPECT_EQ(sheet->presentingViewController(), nullptr);
    EXPECT_TRUE(holder->presentedViewControllers().empty());
}

TEST(MainStoryboardTest, EveryNamedSegueResolvesToItsDestinationAndClass) {
    struct Expect {
        const char* source;
        const char* id;
        const char* destination;
        SegueKind kind;
        TransitionOptions options;
    };
    namespace sc = ids::scene;
    using namespace TransitionOption;
    const Expect expected[] = {
        {sc::switchVC, "Segue_Welocme", sc::WelcomePageCtrl, SegueKind::Child, None},
        {sc::switchVC, "SlideLeft_Tabbar", sc::TabBarVC, SegueKind::Child, SlideLeft},
        {sc::TabBarVC, "SlideRight_PresetList", sc::PresetListForIOS, SegueKind::Child, SlideRight},
        {sc::TabBarVC, "SlideLeft_Advanced", sc::AdvancedMasterVC, SegueKind::Child, SlideLeft},
        {sc::TabBarVC, "SlideRight_Advanced", sc::AdvancedMasterVC, SegueKind::Child, SlideRight},
        {sc::TabBarVC, "SlideLeft_Bulk", sc::RenameMasterVC, SegueKind::Child, SlideLeft},
        {sc::TabBarVC, "SlideLeft_Quick", sc::BulkMasterVC, SegueKind::Child, SlideLeft},
        {sc::AdvancedHolderVC, "Segue_Advanced", sc::AdvancedTVC, SegueKind::Child, None},
        {sc::RenameHolderVC, "Segue_Rename", sc::RenameOptionTVC, SegueKind::Child, None},
        {sc::BulkResizeHolderVC, "Segue_Quick", sc::BulkResizerVC, SegueKind::Child, None},
        {sc::ActivityHolderVC, "Segue_Activity", sc::ActivityVC, SegueKind::Child, None},
        {sc::AddPresetContainerForMac, "Segue_AddNewPreset", sc::AddPresetNewVC, SegueKind::Child, None},
        {sc::AdvancedHolderVC, "SlideUp_Activity", sc::ActivityHolderVC, SegueKind::Sub, SlideUp},
        {sc::RenameHolderVC, "SlideUp_Activity", sc::ActivityHolderVC, SegueKind::Sub, SlideUp},
        {sc::BulkResizeHolderVC, "SlideUp_Activity", sc::ActivityHolderVC, SegueKind::Sub, SlideUp},
        {sc::AddPresetContainerForMac, "SlideLeft_SizePicker", sc::DefaultPresetsPickerVC, SegueKind::Sub,
         SlideLeft},
        {sc::AdvancedHolderVC, "SlideLeft_SizePicker", sc::DefaultPresetsPickerVC, SegueKind::Sub, SlideLeft},
        {sc::AdvancedHolderVC, "SlideLeft_RenameOption", sc::RenameOptionTVC, SegueKind::Sub, SlideLeft},
        {sc::ActivityHolderVC, "SlideLeft_PresetResults", sc::CollectionDoneorSkippedVC, SegueKind::Sub,
         SlideLeft},
        {sc::ActivityVC, "SID_Done", sc::CollectionDoneorSkippedVC, SegueKind::Embed, None},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(std::string(e.source) + " / " + e.id);
        const auto row = Storyboard::main().segue(e.source, e.id);
        ASSERT_TRUE(row.has_value());
        EXPECT_EQ(row->destination, e.destination);
        EXPECT_EQ(row->kind, e.kind);
        EXPECT_EQ(segueTransitionOptions(e.id), e.options);
    }
    EXPECT_EQ(Storyboard::main().segues().size(), std::size(expected));
}

}  // namespace
