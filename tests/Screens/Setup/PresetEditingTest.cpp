#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QImage>
#include <QTest>

#include "App/PresetsMenu.h"
#include "Controls/PushButton.h"
#include "Controls/SystemAppearance.h"
#include "Core/Job/OutputFolder.h"
#include "Platform/AppKit/Menu.h"
#include "PresetListFixture.h"

using namespace setuptest;

namespace {

std::vector<std::string> titles(const appkit::Menu& menu) {
    std::vector<std::string> out;
    for (auto* item : menu.items()) out.push_back(item->title().toStdString());
    return out;
}

}  // namespace

TEST_F(PresetListTest, RenamingInPlaceKeepsTheOldNameForBlanksAndRebuildsTheMenu) {
    appkit::Menu menu;
    screen->rebuildPresetsMenu = [&] {
        mainmenu::rebuildPresetsMenu(menu, core::sharedPresetList().snapshot(), {});
    };
    const int sd = rowOf("SD");
    screen->showOptionMenuForRow(sd, cellAt(sd)->optionButton);
    ASSERT_EQ(screen->intRowFromMenu, sd);
    screen->beginPresetRename();
    EXPECT_FALSE(cellAt(sd)->nameField->isReadOnly());

    screen->commitPresetRename(sd, "   \n ");
    EXPECT_EQ(core::presetName(*core::sharedPresetList().at(sd)), "SD");
    EXPECT_TRUE(cellAt(sd)->nameField->isReadOnly());

    cellAt(sd)->nameField->setText("  web <b>small</b> ");
    Q_EMIT cellAt(sd)->nameField->returnPressed();
    drain();
    EXPECT_EQ(core::presetName(*core::sharedPresetList().at(sd)), "Web <b>small</b>");
    EXPECT_EQ(cellAt(sd)->nameField->text().toStdString(), "Web <b>small</b>");
    EXPECT_EQ(titles(menu)[static_cast<std::size_t>(sd)], "Web <b>small</b>");
    // The rename is saved at once.
    foundation::UserDefaults reread(dir / "settings.json");
    EXPECT_EQ(core::presetName(core::loadPresetList(reread)[static_cast<std::size_t>(sd)]),
              "Web <b>small</b>");

    // Escape drops a rename in progress; leaving the field keeps it, as with any text edit.
    screen->beginPresetRename();
    cellAt(sd)->nameField->setText("Draft");
    QTest::keyClick(cellAt(sd)->nameField, Qt::Key_Escape);
    drain();
    EXPECT_EQ(core::presetName(*core::sharedPresetList().at(sd)), "Web <b>small</b>");
    EXPECT_EQ(cellAt(sd)->nameField->text().toStdString(), "Web <b>small</b>");
    EXPECT_TRUE(cellAt(sd)->nameField->isReadOnly());
    screen->beginPresetRename();
    cellAt(sd)->nameField->setText("mail");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(cellAt(sd)->nameField, &focusOut);
    drain();
    EXPECT_EQ(core::presetName(*core::sharedPresetList().at(sd)), "Mail");
    EXPECT_TRUE(cellAt(sd)->nameField->isReadOnly());
}

TEST_F(PresetListTest, DeletingAPresetRemovesItFromTheGridTheMenuAndTheSavedList) {
    appkit::Menu menu;
    screen->rebuildPresetsMenu = [&] {
        mainmenu::rebuildPresetsMenu(menu, core::sharedPresetList().snapshot(), {});
    };
    const auto before = core::sharedPresetList().count();
    const int hd = rowOf("HD");
    screen->showOptionMenuForRow(hd, cellAt(hd)->optionButton);
    screen->deletePreset();
    drain();
    EXPECT_EQ(core::sharedPresetList().count(), before - 1);
    EXPECT_EQ(rowOf("HD"), -1);
    EXPECT_EQ(screen->collectionView->numberOfItems(), static_cast<int>(before - 1));
    // The cell now at that row shows the preset that moved up.
    ASSERT_NE(cellAt(hd), nullptr);
    EXPECT_EQ(cellAt(hd)->nameField->text().toStdString(), "H-1280");
    EXPECT_EQ(cellAt(hd)->nameField->property("accessibilityLabel").toString(), QString::number(hd));
    EXPECT_EQ(cellAt(hd)->nameField->accessibleName(), cellAt(hd)->nameField->text())
        << "a screen reader hears the preset's name, not its row";
    const auto names = titles(menu);
    EXPECT_EQ(names.size(), before - 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "HD"), 0);
    foundation::UserDefaults reread(dir / "settings.json");
    EXPECT_EQ(core::loadPresetList(reread).size(), before - 1);

    // A stale row from the menu does nothing.
    screen->intRowFromMenu = static_cast<int>(before + 5);
    screen->deletePreset();
    EXPECT_EQ(core::sharedPresetList().count(), before - 1);
}

TEST_F(PresetListTest, APresetsMenuItemRunsItsPresetOnChosenImagesAlsoAfterItWasUsed) {
    appkit::Menu menu;
    mainmenu::rebuildPresetsMenu(
        menu, core::sharedPresetList().snapshot(),
        [this](int row, const std::string& name) { screen->runPresetFromMenu(row, name); });
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    ASSERT_TRUE(core::storeOutputFolder(*defaults, out));
    const int sd = rowOf("SD");
    appkit::MenuItem* item = menu.items()[static_cast<std::size_t>(sd)];
    ASSERT_EQ(item->title(), "SD");

    for (int run = 1; run <= 2; ++run) {
        appkit::ModalScript::pushOpenPanelAnswer(
            {appkit::ModalResponse::OK, {photo("m" + std::to_string(run) + ".jpg", run).string()}});
        item->trigger();
        drain();
        EXPECT_EQ(listedCount(sd), run);
        EXPECT_EQ(screen->presetProcessingNow, sd);
        ASSERT_TRUE(runToEnd());
        EXPECT_EQ(screen->activityVC_Embedded->btnDoneOrCancel->text(), "DONE");
        screen->hideActivityPanel();
        drain();
    }
    EXPECT_FALSE(screen->presetProcessingNow.has_value());
    EXPECT_EQ(filesUnder(out).size(), 2u);

    // A cancelled panel starts nothing.
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    item->trigger();
    drain();
    EXPECT_EQ(listedCount(sd), 2);
    EXPECT_FALSE(screen->isBusy());
}

TEST_F(PresetListTest, CloseActivityAsksFirstAndYesClosesThePanel) {
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    ASSERT_TRUE(core::storeOutputFolder(*defaults, out));
    const int sd = rowOf("SD");
    screen->intRowFromMenu = sd;
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo("p.jpg", 1).string()}});
    screen->runMenuPresetOnBrowsedImages();
    ASSERT_TRUE(runToEnd());
    ASSERT_TRUE(screen->isBusy());
    // The running preset stays marked in its colour, also when the mouse leaves it; others do not light up.
    const cg::Color marked = core::presetColorTag(*core::sharedPresetList().at(sd)).withAlpha(0.3);
    cellAt(sd)->presetView->clearHoverHighlight();
    EXPECT_EQ(cellAt(sd)->box->fillColor(), marked);
    cellAt(0)->presetView->showHoverHighlight();
    EXPECT_NE(cellAt(0)->box->fillColor(),
              core::presetColorTag(*core::sharedPresetList().at(0)).withAlpha(0.3));

    // "No" leaves the activity as it is.
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    screen->confirmCloseActivity();
    drain();
    EXPECT_FALSE(appkit::ModalScript::takeAlertAnswer().has_value());
    EXPECT_TRUE(screen->isBusy());
    EXPECT_EQ(screen->cnstActivityWidth->constant(), 350);

    // "Yes" cancels it; the panel closes and the cells take drops again.
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    screen->confirmCloseActivity();
    drain();
    mainQueue->advance(1.0);
    drain();
    EXPECT_FALSE(screen->isBusy());
    EXPECT_EQ(screen->cnstActivityWidth->constant(), 0);
    EXPECT_FALSE(screen->presetProcessingNow.has_value());
    EXPECT_TRUE(cellAt(sd)->presetView->canAcceptDrop());
    EXPECT_NE(cellAt(sd)->box->fillColor(), marked);
    cellAt(0)->presetView->showHoverHighlight();
    EXPECT_EQ(cellAt(0)->box->fillColor(),
              core::presetColorTag(*core::sharedPresetList().at(0)).withAlpha(0.3));

    // In the dark style a cell the mouse leaves goes back to the dark background, never to white
    // under light text.
    controls::SystemAppearance::instance().overrideDesktopIsDark(true);
    cellAt(0)->presetView->clearHoverHighlight();
    const QImage shot = cellAt(0)->box->grab().toImage();
    int white = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) white += QColor(shot.pixel(x, y)).lightness() > 240;
    controls::SystemAppearance::instance().overrideDesktopIsDark(std::nullopt);
    EXPECT_LT(white, shot.width() * shot.height() / 20) << "a dark cell is not painted white";
}
