#include <gtest/gtest.h>

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Toolbar.h"
#include "Platform/AppKit/WindowController.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

using namespace appkit;

namespace {

using WindowTest = testsupport::UiTest;

TEST_F(WindowTest, FrameAutosaveRestoresTheLastFrame) {
    testsupport::TempDir dir;
    foundation::UserDefaults defaults(dir / "settings.json");
    {
        Window window;
        window.show();
        window.setFrameAutosaveName(ids::position, defaults);
        window.setFrame(cg::Rect(120, 80, 700, 500));
        drain();
    }
    Window again;
    again.setFrameAutosaveName(ids::position, defaults);
    EXPECT_EQ(again.frame().size, (cg::Size{700, 500}));
    EXPECT_EQ(again.frame().origin.x, 120);
    EXPECT_EQ(again.frameAutosaveName(), "position");
}

TEST_F(WindowTest, HiddenZoomButtonDropsTheMaximiseHintAndKeepsTheWindowShown) {
    Window window;
    window.show();
    window.setStandardButtonHidden(Window::StandardButton::Zoom, true);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.isStandardButtonHidden(Window::StandardButton::Zoom));
    window.setStandardButtonHidden(Window::StandardButton::Zoom, false);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    window.setMaxSize({800, 600});
    EXPECT_EQ(window.maximumSize(), QSize(800, 600));
}

class CountingController : public ViewController {
  public:
    int appeared = 0, disappeared = 0;

  protected:
    void viewDidAppear() override { ++appeared; }
    void viewDidDisappear() override { ++disappeared; }
};

class DocumentWindowController : public WindowController {
  public:
    int loads = 0;

  protected:
    void windowDidLoad() override { ++loads; }
};

TEST_F(WindowTest, WindowControllersComeFromTheStoryboardAndContentAppears) {
    Storyboard board("Test");
    board.registerWindowController(ids::DocumentWindowController,
                                   [] { return std::make_shared<DocumentWindowController>(); });
    auto controller = std::dynamic_pointer_cast<DocumentWindowController>(
        board.instantiateWindowController(ids::DocumentWindowController));
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(board.instantiateWindowController("nothing"), nullptr);
    EXPECT_EQ(controller->loads, 0) << "the window is made on first use";
    auto content = std::make_shared<CountingController>();
    controller->setContentViewController(content);
    EXPECT_EQ(controller->loads, 1);
    controller->showWindow();
    drain();
    EXPECT_EQ(content->appeared, 1);
    EXPECT_EQ(controller->contentViewController(), content.get());
    EXPECT_EQ(content->window(), controller->window());
    controller->close();
    drain();
    EXPECT_EQ(content->disappeared, 1);
}

TEST_F(WindowTest, ToolbarItemsComeAndGoByIdentifier) {
    Toolbar toolbar;
    toolbar.setItemFactory(
        [](const std::string& id) -> QWidget* { return id == ids::activity ? new QWidget : nullptr; });
    EXPECT_FALSE(toolbar.insertItem("unknown", 0));
    auto* add = new QWidget;
    toolbar.setItemFactory([add](const std::string& id) -> QWidget* {
        if (id == "add") return add;
        return id == ids::activity ? new QWidget : nullptr;
    });
    ASSERT_TRUE(toolbar.insertItem("add", 0));
    ASSERT_TRUE(toolbar.insertItem(ids::activity, 5));
    EXPECT_EQ(toolbar.indexOfItem(ids::activity), 1);
    EXPECT_EQ(toolbar.items()[0].view, add);
    toolbar.removeItem(toolbar.indexOfItem(ids::activity));
    EXPECT_EQ(toolbar.indexOfItem(ids::activity), -1);
    EXPECT_EQ(toolbar.items().size(), 1u);
    toolbar.removeItem(7);  // nothing there
    EXPECT_EQ(toolbar.items().size(), 1u);
}

}  // namespace
