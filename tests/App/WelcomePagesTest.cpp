#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include "App/AppDefaults.h"
#include "Controls/PushButton.h"
#include "Platform/AppKit/NamedImage.h"
#include "Platform/AppKit/Window.h"
#include "ShellFixture.h"

namespace {

class WelcomePagesTest : public testsupport::ShellTest {};

TEST_F(WelcomePagesTest, NextAndPreviousWalkTheFivePagesAndStopAtTheEnds) {
    start();
    WelcomePageCtrl* pages = welcome();
    ASSERT_NE(pages, nullptr);
    struct Page {
        const char *image, *title, *description;
    };
    const Page expected[] = {
        {"Welcome", "Welcome",
         "Preloaded presets helps you to crop photos quickly, you can add custom presets too."},
        {"Presets", "Presets",
         "Add photos and apply multiple presets at a time to get bulk photos resizing."},
        {"KeyFeatures", "KeyFeatures",
         "Able to rename photo name, also add suffix or prefix text to photo name."},
        {"Advanced", "Editor", "Photo Editor helps you to give more tools for adding effects to photos."},
        {"Name", "Bulk Crop",
         "Set a cropping frame and easily apply that cropping frame to all photos at a time."},
    };
    for (int page = 0; page < 5; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(pages->intPosNow, page);
        EXPECT_EQ(pages->lblTitle->text(), expected[page].title);
        EXPECT_EQ(pages->myLabel->text(), expected[page].description);
        const QImage image = appkit::imageNamed(expected[page].image);
        ASSERT_FALSE(image.isNull()) << "the picture is a resource of the bundle";
        EXPECT_EQ(pages->pageImage(), image);
        EXPECT_FALSE(pages->imgView->pixmap().isNull());
        EXPECT_EQ(pages->btnPrev->isVisible(), page != 0);
        EXPECT_EQ(pages->btnNext->isVisible(), page != 4);
        if (page < 4) QTest::mouseClick(pages->btnNext, Qt::LeftButton);
        drain();
    }
    pages->onNextPrev(*pages->btnNext);
    EXPECT_EQ(pages->intPosNow, 4) << "next on the last page stays there";
    EXPECT_EQ(pages->lblTitle->text(), "Bulk Crop");

    QTest::mouseClick(pages->btnPrev, Qt::LeftButton);
    EXPECT_EQ(pages->lblTitle->text(), "Editor");
    for (int i = 0; i < 5; ++i) pages->onNextPrev(*pages->btnPrev);
    EXPECT_EQ(pages->intPosNow, 0) << "previous on the first page stays there";
    EXPECT_FALSE(pages->btnPrev->isVisible());

    // A page picked by a control whose tag names no page shows the nearest real one.
    QPushButton stray;
    appkit::View::setTagOf(&stray, 9);
    pages->changePage(stray);
    EXPECT_EQ(pages->intPosNow, 4);
    EXPECT_EQ(pages->lblTitle->text(), "Bulk Crop");
    appkit::View::setTagOf(&stray, -3);
    pages->changePage(stray);
    EXPECT_EQ(pages->intPosNow, 0);
    EXPECT_EQ(pages->lblTitle->text(), "Welcome");
    EXPECT_FALSE(pages->btnPrev->isVisible());
    EXPECT_EQ(storedSettings()->integer(appkeys::isShowFirst), 0)
        << "walking the pages is not finishing them";
}

TEST_F(WelcomePagesTest, DoneOutsideTheMainWindowDismissesOrClosesThePages) {
    prepareSettings(
        [](foundation::UserDefaults& s) { s.set("isShowFirst", foundation::PlistValue(std::int64_t{1})); });
    start();
    // Presented as a sheet over the main window: Done dismisses it.
    auto sheet = std::make_shared<WelcomePageCtrl>();
    tabBar()->presentAsSheet(sheet);
    drain();
    EXPECT_EQ(window().sheetCount(), 1);
    sheet->onDone();
    drain();
    EXPECT_EQ(window().sheetCount(), 0);
    EXPECT_EQ(sheet->presentingViewController(), nullptr);

    // In a window of its own: Done closes that window; a shown window loses its title once the
    // pages have been seen.
    defaults->set(appkeys::isShowFirst, foundation::PlistValue(std::int64_t{0}));
    appkit::Window own;
    own.setWindowTitle("Welcome to Vorta");
    auto alone = std::make_shared<WelcomePageCtrl>();
    own.setContentViewController(alone);
    own.show();
    alone->onDone();
    drain();
    EXPECT_EQ(storedSettings()->integer(appkeys::isShowFirst), 1);
    EXPECT_FALSE(own.isVisible());

    appkit::Window again;
    again.setWindowTitle("Welcome to Vorta");
    again.setContentViewController(std::make_shared<WelcomePageCtrl>());
    mainQueue->advance(0.05);
    drain();
    EXPECT_TRUE(again.windowTitle().isEmpty());
}

}  // namespace

namespace {

// Every drawn button the window shows, as a screen reader finds it.
std::vector<std::pair<controls::PushButton*, QAccessibleInterface*>> spokenButtons(QWidget& window) {
    std::vector<std::pair<controls::PushButton*, QAccessibleInterface*>> found;
    for (auto* b : window.findChildren<controls::PushButton*>())
        if (b->isVisibleTo(&window)) found.emplace_back(b, QAccessible::queryAccessibleInterface(b));
    return found;
}

}  // namespace

TEST_F(WelcomePagesTest, AScreenReaderHearsEachButtonAndPageDotByWhatItDoes) {
    start();
    WelcomePageCtrl* pages = welcome();
    ASSERT_NE(pages, nullptr);
    drain();
    const auto buttons = spokenButtons(window());
    ASSERT_GE(buttons.size(), 7u) << "Next, Done and five page dots at least";
    std::vector<std::string> dotNames;
    for (const auto& [button, spoken] : buttons) {
        ASSERT_NE(spoken, nullptr);
        const std::string name = spoken->text(QAccessible::Name).toStdString();
        EXPECT_FALSE(name.empty()) << "a button without a name";
        EXPECT_TRUE(spoken->role() == QAccessible::Button || spoken->role() == QAccessible::CheckBox) << name;
        if (button->role() == controls::PushButton::Role::Dot) {
            dotNames.push_back(name);
            EXPECT_TRUE(spoken->state().checkable);
        }
    }
    EXPECT_EQ(dotNames, (std::vector<std::string>{"Page 1: Welcome", "Page 2: Presets", "Page 3: KeyFeatures",
                                                  "Page 4: Editor", "Page 5: Bulk Crop"}));
    // Pressing through the screen reader does what a click does.
    auto* next = QAccessible::queryAccessibleInterface(pages->btnNext);
    ASSERT_NE(next, nullptr);
    ASSERT_NE(next->actionInterface(), nullptr);
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    drain();
    EXPECT_EQ(pages->intPosNow, 1);
}
