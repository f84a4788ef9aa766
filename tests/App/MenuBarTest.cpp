// The menu bar as a user meets it: named after the application, the image-list commands enabled
// only where there is an image list, the presets menu mirroring the saved presets, Cancel Activity
// asking before it cancels a running job, and Help opening only the addresses it has.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QSlider>
#include <QStyleFactory>
#include <QTest>

#include "App/Appearance.h"
#include "App/VortaWindowController.h"
#include "Controls/DrawnStyle.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Workspace.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/BulkResizerVC.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "ShellFixture.h"
#include "Support/RecordingWorkspace.h"
#include "Support/UiEvents.h"

namespace {

class MenuBarTest : public testsupport::ShellTest {
  protected:
    PresetListForIOS* presetList() { return tabBar() ? tabBar()->firstChild<PresetListForIOS>() : nullptr; }
    std::vector<QString> topTitles() {
        std::vector<QString> titles;
        for (QAction* top : app->delegate().mainMenu->actions())
            if (top->isVisible()) titles.push_back(top->text());
        return titles;
    }
    appkit::Menu& presetsMenu() {
        return *qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
    }
};

TEST_F(MenuBarTest, TheMenusAreNamedAndTheirCommandsEnabledWhereTheyWork) {
    startPastWelcome();
    AppDelegate& delegate = app->delegate();
    ASSERT_NE(delegate.mainMenu, nullptr);
    // Help has no address to open, so it is left out rather than shown with dead items.
    EXPECT_EQ(topTitles(), (std::vector<QString>{"Vorta", "File", "Edit"}));
    auto* appMenu = qobject_cast<appkit::Menu*>(delegate.mainMenu->actions()[0]->menu());
    ASSERT_NE(appMenu, nullptr);
    EXPECT_EQ(appMenu->items().front()->title(), "About Vorta");
    EXPECT_EQ(appMenu->items().back()->title(), "Quit Vorta");
    EXPECT_EQ(appMenu->items().back()->shortcut(), QKeySequence(QKeySequence::Quit));
    EXPECT_EQ(delegate.menuItem_AddImages->shortcut(), QKeySequence(QKeySequence::Open));

    // The preset list has no image list: its four commands are disabled; elsewhere they work.
    const std::vector<appkit::MenuItem*> listCommands = {
        delegate.menuItem_AddImages, delegate.menuItem_RemoveImages, delegate.menuItem_SelectAll,
        delegate.menuItem_DeselectAll};
    for (appkit::MenuItem* item : listCommands)
        EXPECT_FALSE(item->isEnabled()) << item->title().toStdString();
    delegate.setMenuOptionActions(1);
    for (appkit::MenuItem* item : listCommands) EXPECT_TRUE(item->isEnabled()) << item->title().toStdString();
    delegate.setMenuOptionActions(0);
    EXPECT_FALSE(delegate.menuItem_SelectAll->isEnabled());
    EXPECT_FALSE(delegate.menuItem_CancelActivity->isEnabled()) << "no job runs yet";

    // The presets menu lists the saved presets in order and follows a deletion.
    std::vector<QString> names;
    for (appkit::MenuItem* item : presetsMenu().items()) names.push_back(item->title());
    EXPECT_EQ(names, (std::vector<QString>{"Half", "W-1280", "HD", "H-1280", "Full HD", "4K", "SD"}));
    core::sharedPresetList().removeAt(2);
    delegate.rebuildPresetsMenu();
    EXPECT_EQ(presetsMenu().items().size(), 6u);
    EXPECT_EQ(presetsMenu().items()[2]->title(), "H-1280");

    // Help opens the addresses it is given, by tag, and nothing for a tag without one.
    auto recording = std::make_unique<testsupport::RecordingWorkspace>();
    testsupport::RecordingWorkspace& workspace = *recording;
    appkit::Workspace::shared().setBackend(std::move(recording));
    delegate.helpLinks = {{2, "Vorta Website", "https://example.org/vorta"}, {3, "Maker", ""}};
    delegate.showHelp(2);
    delegate.showHelp(3);
    delegate.showHelp(7);
    EXPECT_EQ(workspace.opened, (std::vector<std::string>{"https://example.org/vorta"}));
    appkit::Workspace::shared().setBackend(nullptr);
}

TEST_F(MenuBarTest, CancelActivityAsksAndCancelsOnlyOnYesAndTheBusyPresetListRunsNoOtherPreset) {
    startPastWelcome();
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    AppDelegate& delegate = app->delegate();
    const auto in = dir / "in";
    testsupport::writeTestImage(in / "one.jpg", 1200, 800, 1);
    testsupport::writeTestImage(in / "two.jpg", 1200, 800, 2);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    // The job's workers are held: it is still running when asked.
    auto* cell = dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(0));
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->nameField->text(), "Half");
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    workerHold.emplace();
    ASSERT_TRUE(
        testsupport::dropFiles(cell->presetView, {(in / "one.jpg").string(), (in / "two.jpg").string()})
            .dropAccepted);
    ActivityVC& activity = *screen->activityVC_Embedded;
    ASSERT_TRUE(mainQueue->runUntil([&] { return activity.isActivityRunning(); }, std::chrono::seconds(30)));
    ASSERT_TRUE(delegate.menuItem_CancelActivity->isEnabled());

    // While busy, the commands that would run another preset are disabled and open nothing.
    appkit::MenuItem* resizeOnPreset = screen->optionMenu->items()[1];
    ASSERT_EQ(resizeOnPreset->title(), "Resize on Preset");
    EXPECT_FALSE(resizeOnPreset->isEnabled());
    for (appkit::MenuItem* item : presetsMenu().items()) EXPECT_FALSE(item->isEnabled());
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    presetsMenu().items()[3]->trigger();
    resizeOnPreset->trigger();
    drain();
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer()) << "no open panel was shown";

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    delegate.menuItem_CancelActivity->trigger();
    drain();
    EXPECT_TRUE(activity.isActivityRunning()) << "No leaves the job running";
    EXPECT_FALSE(activity.isGotCancel()) << "No leaves the job running";
    EXPECT_TRUE(delegate.menuItem_CancelActivity->isEnabled());

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    delegate.menuItem_CancelActivity->trigger();
    drain();
    EXPECT_FALSE(delegate.menuItem_CancelActivity->isEnabled()) << "a cancelled job leaves nothing to cancel";
    EXPECT_TRUE(activity.isGotCancel());
    workerHold.reset();
    EXPECT_TRUE(mainQueue->runUntil([&] { return !activity.isActivityRunning(); }, std::chrono::seconds(30)));
    // The panel closed: a preset may run again.
    EXPECT_FALSE(screen->isBusy());
    EXPECT_TRUE(resizeOnPreset->isEnabled());
    for (appkit::MenuItem* item : presetsMenu().items()) EXPECT_TRUE(item->isEnabled());
}

}  // namespace

namespace {

TEST_F(MenuBarTest, ThePresetsMenuAsksForImagesAndAnOutputFolderWhenNoneIsKnownThenRuns) {
    startPastWelcome();
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    const auto in = dir / "in";
    testsupport::writeTestImage(in / "one.jpg", 1000, 800, 1);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);

    // Cancelling the folder question runs nothing.
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    presetsMenu().items()[6]->trigger();
    drain();
    EXPECT_FALSE(screen->activityVC_Embedded->isActivityRunning());
    EXPECT_TRUE(std::filesystem::is_empty(out));

    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    presetsMenu().items()[6]->trigger();
    drain();
    ActivityVC& activity = *screen->activityVC_Embedded;
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return !activity.isActivityRunning() && activity.btnDoneOrCancel->text() == "DONE"; },
        std::chrono::seconds(60)));
    std::size_t written = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(out)) written += e.is_regular_file();
    EXPECT_EQ(written, 1u);
}

}  // namespace

namespace {

// The darkest (light style) or lightest (dark style) text pixel of a menu holding one item.
int strongestInk(Appearance appearance, bool enabled) {
    appkit::Menu menu;
    menu.setPalette(paletteFor(appearance));
    appkit::MenuItem* item = menu.addItem("Cancel Activity");
    if (enabled) item->setAction([](appkit::MenuItem&) {});
    menu.adjustSize();
    const QImage shot = menu.grab().toImage();
    const bool dark = appearance == Appearance::VibrantDark;
    int strongest = dark ? 0 : 255;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const int l = QColor(shot.pixel(x, y)).lightness();
            strongest = dark ? std::max(strongest, l) : std::min(strongest, l);
        }
    return strongest;
}

TEST(MenuLook, DisabledCommandsReadDimmedInBothStyles) {
    // Enabled text is strong; a disabled command is visibly weaker, and in the dark style it has no
    // light ghost beside it.
    EXPECT_LT(strongestInk(Appearance::Aqua, true), 60);
    EXPECT_GT(strongestInk(Appearance::Aqua, false), 110);
    EXPECT_GT(strongestInk(Appearance::VibrantDark, true), 200);
    EXPECT_LT(strongestInk(Appearance::VibrantDark, false), 170);
}

TEST(MenuLook, MenusStandOffTheWindowAndTheOpenMenusTitleIsHighlighted) {
    controls::DrawnStyle style(QStyleFactory::create("Fusion"));
    for (const Appearance look : {Appearance::Aqua, Appearance::VibrantDark}) {
        const bool dark = look == Appearance::VibrantDark;
        SCOPED_TRACE(dark ? "dark" : "light");
        const QPalette colours = paletteFor(look);
        QWidget window;
        window.setPalette(colours);
        window.setStyle(&style);
        window.resize(300, 200);
        auto* bar = new QMenuBar(&window);
        bar->setStyle(&style);
        bar->setPalette(colours);
        auto* menu = new appkit::Menu("File", bar);
        menu->setStyle(&style);
        menu->setPalette(colours);
        menu->addItem("Add Images…", [](appkit::MenuItem&) {});
        menu->addItem("Cancel Activity");
        QAction* file = bar->addMenu(menu);
        bar->setGeometry(0, 0, window.width(), bar->sizeHint().height());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
        const QImage title = bar->grab(bar->actionGeometry(file)).toImage();
        const QColor titleFill(title.pixel(2, title.height() / 2));
        EXPECT_EQ(titleFill, colours.color(QPalette::Highlight)) << "the open menu's title is highlighted";

        const QImage shot = menu->grab().toImage();
        const int windowL = colours.color(QPalette::Window).lightness();
        const int edge = QColor(shot.pixel(0, shot.height() / 2)).lightness();
        const int surface = QColor(shot.pixel(shot.width() - 4, shot.height() / 2)).lightness();
        if (dark) {
            EXPECT_GE(surface, windowL + 6) << "a raised surface";
            EXPECT_GE(edge, surface + 24) << "a light edge";
        } else {
            EXPECT_GE(surface, windowL);
            EXPECT_LE(edge, surface - 40) << "a grey edge";
        }
        menu->hide();
    }
}

}  // namespace

namespace {

TEST_F(MenuBarTest, ThePresetsMenuAsksOnceToLeaveARunningJobAndARefusedSwitchRunsNothing) {
    startPastWelcome();
    VortaWindowController& controller = *app->mainWindowController();
    controller.segBtn->setSelectedSegment(3);
    tabBar()->selectTab(3);
    drain();
    auto* bulk = tabBar()->firstChild<BulkMasterVC>();
    ASSERT_NE(bulk, nullptr);
    const auto in = dir / "in";
    std::vector<std::string> photos;
    for (int i = 0; i < 6; ++i) {
        photos.push_back((in / ("p" + std::to_string(i) + ".jpg")).string());
        testsupport::writeTestImage(photos.back(), 1600, 1200, static_cast<unsigned>(i));
    }
    bulk->addImages(photos);
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 6; }));
    auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
    resizer->sliderPercent->setValue(50);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    // The job's workers are held until the test has asked what it asks while the job runs.
    auto runBulkJob = [&] {
        app->delegate().defaults().removeObject("UD_SavingLocationData");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
        workerHold.emplace();
        QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
        return mainQueue->runUntil([&] {
            ActivityVC* running = bulk->activityVC();
            return running && running->isActivityRunning();
        });
    };
    ASSERT_TRUE(runBulkJob());
    ActivityVC* activity = bulk->activityVC();

    // "Keep Job": nothing switches, nothing runs, and the question does not come back.
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    presetsMenu().items()[0]->trigger();
    drain();
    for (int step = 0; step < 12; ++step) {
        mainQueue->advance(0.5);
        drain();
    }
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 3);
    EXPECT_EQ(controller.segBtn->selectedSegment(), 3);
    EXPECT_FALSE(activity->isGotCancel());
    EXPECT_EQ(appkit::ModalScript::takeAlertAnswer(), appkit::ModalResponse::AlertFirstButtonReturn)
        << "asked once only";
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer()) << "no preset ran";
    workerHold.reset();
    ASSERT_TRUE(
        mainQueue->runUntil([&] { return !activity->isActivityRunning(); }, std::chrono::seconds(60)));

    // "Stop Job", however long the user takes to answer: the preset list comes up and the chosen
    // preset asks for its images.
    QTest::mouseClick(activity->btnDoneOrCancel, Qt::LeftButton);
    drain();
    ASSERT_TRUE(runBulkJob());
    presetsMenu().items()[0]->trigger();
    drain();
    const auto questions = window().findChildren<QMessageBox*>();
    ASSERT_EQ(questions.size(), 1);
    for (int step = 0; step < 12; ++step) {
        mainQueue->advance(0.5);
        drain();
    }
    EXPECT_EQ(window().findChildren<QMessageBox*>().size(), 1) << "asked once, still waiting";
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    QAbstractButton* stop = nullptr;
    for (QAbstractButton* button : questions.front()->buttons())
        if (button->text() == "Stop Job") stop = button;
    ASSERT_NE(stop, nullptr);
    QTest::mouseClick(stop, Qt::LeftButton);
    drain();
    workerHold.reset();
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    mainQueue->advance(0.5);
    drain();
    EXPECT_FALSE(appkit::ModalScript::takeOpenPanelAnswer()) << "the open panel was asked for the preset";
    // Images already being worked on when the job stopped finish before the test's folders go.
    EXPECT_TRUE(
        mainQueue->runUntil([] { return dispatch::runningJobCount() == 0; }, std::chrono::seconds(60)));
}

TEST_F(MenuBarTest, ThePresetsMenuRunsAPresetFromAnotherTabAfterSwitchingToThePresetList) {
    startPastWelcome();
    VortaWindowController& controller = *app->mainWindowController();
    controller.segBtn->setSelectedSegment(1);
    tabBar()->selectTab(1);
    drain();
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 1);
    ASSERT_EQ(presetList(), nullptr);
    AppDelegate& delegate = app->delegate();
    EXPECT_TRUE(delegate.menuItem_SelectAll->isEnabled()) << "the Advanced tab has an image list";

    const auto in = dir / "in";
    testsupport::writeTestImage(in / "one.jpg", 1000, 800, 1);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "one.jpg").string()}});
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    presetsMenu().items()[6]->trigger();
    drain();
    EXPECT_EQ(controller.segBtn->selectedSegment(), 0);
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    EXPECT_FALSE(delegate.menuItem_SelectAll->isEnabled());
    // A window the user opens in that half-second is answered first: the preset's panel waits for it.
    QDialog chooser(&window());
    chooser.setModal(true);
    chooser.show();
    for (int i = 0; i < 6; ++i) {
        mainQueue->advance(0.25);
        drain();
    }
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(screen->isBusy()) << "no panel over the user's own";
    chooser.close();
    mainQueue->advance(0.5);
    drain();
    ActivityVC& activity = *screen->activityVC_Embedded;
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return !activity.isActivityRunning() && activity.btnDoneOrCancel->text() == "DONE"; },
        std::chrono::seconds(60)));
    std::size_t written = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(out)) written += e.is_regular_file();
    EXPECT_EQ(written, 1u);
}

}  // namespace
