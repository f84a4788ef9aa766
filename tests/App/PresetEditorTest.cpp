// The preset editor sheet as a user meets it: opened from the toolbar's "+", a size picked in the
// size picker, a name and a format, then Done; what the sheet stores, what the preset list shows
// after a restart, and what a job with the new preset writes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <fstream>

#include "App/AppDefaults.h"
#include "App/Appearance.h"
#include "Controls/KRActivityIndicatorView.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/AddPresetContainerForMac.h"
#include "Screens/Setup/AddPresetNewVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/FormatSelectionView.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetDetailsTableVC.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "ShellFixture.h"
#include "Support/UiEvents.h"

namespace {

using foundation::PlistValue;

// What a user enters in the sheet.
struct Entry {
    std::string width, height, percent;  // typed into the picker's fields
    int resizeCrop = 0;                  // 1: crop to fill
    bool saliency = false;
    std::string name;    // typed over the name the pick gave
    std::string format;  // the title of the format button clicked
};

core::PresetInfo expected(std::string name, double w, double h, double p, bool saliency, bool crop,
                          std::string format) {
    return {{"presetName", std::move(name)},
            {"presetWidth", w},
            {"presetHeight", h},
            {"presetPercent", p},
            {"autoSaliency", saliency},
            {"imageCrop", crop},
            {"autoEnhance", false},
            {"outputFormat", std::move(format)},
            {"imageEffect", 1},
            {"imageEffectFilter", "Original"}};
}

class PresetEditorTest : public testsupport::ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        foundation::setDefaultLocale("en_US");
    }
    void startWithWelcomeSeen() {
        prepareSettings([](foundation::UserDefaults& s) { s.set(appkeys::isShowFirst, PlistValue(1)); });
        start();
        mainQueue->advance(0.5);
        drain();
    }
    void click(QWidget* widget) {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton);
        drain();
    }
    PresetListForIOS* presetList() { return tabBar() ? tabBar()->firstChild<PresetListForIOS>() : nullptr; }
    AddPresetContainerForMac* sheet() {
        const auto& presented = root().presentedViewControllers();
        return presented.empty() ? nullptr : dynamic_cast<AddPresetContainerForMac*>(presented.front().get());
    }
    AddPresetNewVC* page() { return sheet() ? sheet()->firstChild<AddPresetNewVC>() : nullptr; }
    PresetDetailsTableVC* details() { return page() ? page()->firstChild<PresetDetailsTableVC>() : nullptr; }
    DefaultPresetsPickerVC* picker() {
        return sheet() ? sheet()->firstChild<DefaultPresetsPickerVC>() : nullptr;
    }

    void openSheet() {
        click(app->mainWindowController()->btnAdd);
        ASSERT_NE(details(), nullptr) << "the toolbar's + opens the editor";
        ASSERT_TRUE(sheet()->view()->window()->isModal());
    }
    void openPicker() {
        click(details()->btnChooseSize);
        mainQueue->advance(0.3);
        drain();
        ASSERT_NE(picker(), nullptr);
    }
    void typeInto(QWidget* field, const std::string& text) {
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, QString::fromStdString(text));
        drain();
    }
    // Enters `entry` through the sheet and presses Done.
    void create(const Entry& entry) {
        openSheet();
        openPicker();
        DefaultPresetsPickerVC* p = picker();
        typeInto(p->txtWidth, entry.width);
        typeInto(p->txtHeight, entry.height);
        typeInto(p->txtPercent, entry.percent);
        if (entry.resizeCrop == 1) p->segResizeCrop->setSelectedSegment(1);
        if (entry.saliency) click(p->btnSaliency);
        click(p->btnDone);
        ASSERT_EQ(picker(), nullptr) << "Done slides the picker back out";
        PresetDetailsTableVC* d = details();
        ASSERT_FALSE(d->nameView->isHidden());
        if (!entry.name.empty()) {
            d->txtName->selectAll();
            typeInto(d->txtName, entry.name);
        }
        FormatSelectionView* row = d->formatRow();
        for (int tag = 1; row->buttonWithTag(tag); ++tag)
            if (row->buttonWithTag(tag)->title().toStdString() == entry.format)
                click(row->buttonWithTag(tag));
        click(page()->btnDone);
    }
    core::PresetInfo lastStored() {
        const auto stored = core::loadPresetList(*storedSettings());
        return stored.empty() ? core::PresetInfo{} : stored.back();
    }
};

TEST_F(PresetEditorTest, EachKindOfSizeIsStoredAsEnteredAndShownAfterARestart) {
    struct Case {
        Entry entry;
        core::PresetInfo stored;
        std::string sizeText;
        double boxWidth, boxHeight;  // the aspect box of the preset's cell
    };
    const Case cases[] = {
        {{"1920", "", "", 0, false, "", ".png"},
         expected("1920 x Auto", 1920, -1, -1, false, false, ".png"),
         "Size: 1920 X Auto Height",
         60,
         60},
        {{"", "1080", "", 1, true, "Tall", ".jpg"},
         expected("Tall", -1, 1080, -1, true, true, ".jpg"),
         "Size: Auto Width X 1080",
         60,
         60},
        {{"1600", "900", "", 0, false, "  Web  ", "Default"},
         expected("  Web  ", 1600, 900, -1, false, false, "Default"),
         "Size: 1600 X 900",
         60,
         33.75},
        {{"", "", "25 %", 0, false, "   ", ".tiff"},
         expected("25 %", -1, -1, 25, false, false, ".tiff"),
         "Size: 25%",
         60,
         60},
    };
    startWithWelcomeSeen();
    const std::size_t before = core::sharedPresetList().count();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sizeText);
        create(c.entry);
        EXPECT_EQ(sheet(), nullptr) << "Done closes the sheet";
        EXPECT_EQ(core::sharedPresetList().snapshot().back(), c.stored);
        EXPECT_EQ(lastStored(), c.stored) << "saved at once, types and all";
    }

    start();  // a restart reads the presets back from disk
    mainQueue->advance(0.5);
    drain();
    PresetListForIOS* list = presetList();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->collectionView->numberOfItems(), static_cast<int>(before + std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.sizeText);
        const int row = static_cast<int>(before + i);
        list->collectionView->scrollToItem(row, appkit::CollectionView::ScrollPosition::Bottom, false);
        drain();
        auto* cell = dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(row));
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->sizeText->text().toStdString(), c.sizeText);
        EXPECT_NEAR(cell->sizeBox->width(), c.boxWidth, 1.0);
        EXPECT_NEAR(cell->sizeBox->height(), c.boxHeight, 1.0) << "the box never collapses for an empty side";
    }
}

TEST_F(PresetEditorTest, DoneWithoutASizeExplainsAndCancelOrEscapeAddNothing) {
    startWithWelcomeSeen();
    const auto presetsBefore = core::sharedPresetList().snapshot();
    const auto savedBefore = core::loadPresetList(*storedSettings());

    openSheet();
    click(page()->btnDone);
    ASSERT_NE(sheet(), nullptr) << "the sheet stays open";
    QLabel* message = nullptr;
    for (QWidget* w : QApplication::allWidgets())
        if (auto* label = qobject_cast<QLabel*>(w);
            label && label->isVisible() && label->text() == "Size not set. Please set size")
            message = label;
    ASSERT_NE(message, nullptr) << "a popover says what is missing";
    EXPECT_EQ(message->height(), 25);
    EXPECT_GT(message->width(), QFontMetrics(message->font()).horizontalAdvance(message->text()));
    // Attached to the button that mends it: right under it, over its width, inside the sheet.
    QWidget* choose = details()->btnChooseSize;
    const QRect button(choose->mapToGlobal(QPoint(0, 0)), choose->size());
    const QRect popover = message->window()->geometry();
    EXPECT_GE(popover.top(), button.bottom()) << "shown under Choose Size";
    EXPECT_LE(popover.top(), button.bottom() + 8);
    EXPECT_TRUE(popover.left() < button.right() && popover.right() > button.left());
    const QWidget* sheetWindow = sheet()->view()->window();
    EXPECT_LE(popover.right(), sheetWindow->mapToGlobal(QPoint(sheetWindow->width(), 0)).x() - 12)
        << "the popover keeps the sheet's margin";
    // Only its pointer reaches its top edge, right under the button's middle.
    const QWidget* panel = message->window();
    const QPoint tip = panel->mapFromGlobal(QPoint(button.center().x(), popover.top() + 2));
    EXPECT_TRUE(panel->mask().contains(tip)) << "a pointer at the button's middle";
    EXPECT_FALSE(panel->mask().contains(QPoint(tip.x() - 30, 2)));
    EXPECT_FALSE(panel->mask().contains(QPoint(tip.x() + 30, 2)));
    EXPECT_EQ(core::sharedPresetList().snapshot(), presetsBefore);

    click(page()->btnCancel);
    EXPECT_EQ(sheet(), nullptr);

    openSheet();
    openPicker();
    typeInto(picker()->txtWidth, "800");
    click(picker()->btnDone);
    QTest::keyClick(sheet()->view()->window(), Qt::Key_Escape);
    drain();
    EXPECT_EQ(sheet(), nullptr) << "Escape cancels";
    EXPECT_EQ(core::sharedPresetList().snapshot(), presetsBefore);
    EXPECT_EQ(core::loadPresetList(*storedSettings()), savedBefore);
}

TEST_F(PresetEditorTest, TheSheetDimsTheWindowBehindAndStandsOutByItsEdgeAndShadowInBothLooks) {
    startWithWelcomeSeen();
    const QPalette original = QApplication::palette();
    QWidget& behind = window();
    for (const Appearance look : {Appearance::Aqua, Appearance::VibrantDark}) {
        const bool dark = look == Appearance::VibrantDark;
        SCOPED_TRACE(dark ? "dark" : "light");
        QApplication::setPalette(paletteFor(look));
        drain();
        const QPoint farCorner(12, behind.height() - 12);
        const int before = QColor(behind.grab().toImage().pixel(farCorner)).lightness();

        openSheet();
        QWidget* sheetWindow = sheet()->view()->window();
        const QRect onWindow(behind.mapFromGlobal(sheetWindow->mapToGlobal(QPoint(0, 0))),
                             sheetWindow->size());
        ASSERT_TRUE(QRect(behind.rect()).contains(onWindow)) << "the sheet stands over its window";
        ASSERT_FALSE(onWindow.contains(farCorner));
        const QImage window = behind.grab().toImage();
        const QImage sheetImage = sheetWindow->grab().toImage();
        auto lightness = [](const QImage& image, QPoint at) { return QColor(image.pixel(at)).lightness(); };

        const int dimmed = lightness(window, farCorner);
        EXPECT_LE(dimmed, before - 8) << "the window waiting on the sheet is dimmed";
        // The sheet's bottom edge against its own face and against the dimmed window around it.
        const QPoint edgeAt(onWindow.width() / 4, onWindow.height() - 1);
        const int edge = lightness(sheetImage, edgeAt);
        const int face = lightness(sheetImage, edgeAt - QPoint(0, 5));
        EXPECT_GE(std::abs(edge - face), 12) << "a line marks the sheet's edge";
        EXPECT_GE(std::max(std::abs(edge - dimmed), std::abs(face - dimmed)), 20) << "the sheet stands out";
        if (dark) {
            EXPECT_GT(edge, std::max(face, dimmed)) << "in the dark look the edge is light";
        }
        // Its shadow falls on the window just below it.
        const int shadow = lightness(window, QPoint(onWindow.center().x(), onWindow.bottom() + 4));
        EXPECT_LE(shadow, dimmed - 3) << "a shadow under the sheet";

        click(page()->btnCancel);
        ASSERT_EQ(sheet(), nullptr);
        EXPECT_EQ(lightness(behind.grab().toImage(), farCorner), before) << "closing it takes the shade away";
    }
    QApplication::setPalette(original);
}

TEST_F(PresetEditorTest, ASavedSizeAppliesAtOnceAndShowsInTheIndicator) {
    startWithWelcomeSeen();
    openSheet();
    // Before a size is picked a neutral icon holds the indicator's place, not an empty frame.
    EXPECT_TRUE(page()->placeholderIcon->isVisibleTo(page()->view()));
    EXPECT_FALSE(page()->indicatorHolderView->isVisibleTo(page()->view()));
    openPicker();
    // Each time the picker opens it is a new one, with a table of its own.
    auto table = [&] { return picker()->tableView.data(); };
    // Headers, the custom-size and percent rows, then every built-in preset but none with a check box.
    ASSERT_EQ(table()->numberOfRows(), 4 + 7);
    // At the sheet's own size the custom size and the percentage leave room for the saved sizes:
    // at least three show whole without scrolling, and no group sits far from the next.
    {
        appkit::TableView& rows = *table();
        ASSERT_EQ(rows.verticalScrollBar()->value(), 0);
        int whole = 0;
        for (int row = 4; row < rows.numberOfRows(); ++row)
            whole += rows.rectOfRow(row).bottom() < rows.viewport()->height();
        EXPECT_GE(whole, 3) << "saved sizes in view without scrolling";
        for (int row : {1, 2}) {
            QWidget* content = row == 1 ? picker()->customSizeView.data() : picker()->percentView.data();
            int lowest = 0;
            for (QWidget* w : content->findChildren<QWidget*>())
                if (w->isVisibleTo(content))
                    lowest = std::max(lowest, w->mapTo(content, QPoint(0, w->height())).y());
            EXPECT_LE(rows.rectOfRow(row).height() - lowest, 16)
                << "blank space at the bottom of row " << row;
        }
    }
    auto rowNamed = [&](const std::string& name) {
        appkit::TableView* rows = table();
        for (int row = 4; row < rows->numberOfRows(); ++row) {
            rows->scrollRowToVisible(row);
            drain();
            auto* label = qobject_cast<QLabel*>(rows->viewAtRow(row)->findChildren<QLabel*>().value(0));
            if (label && label->text().toStdString() == name) return row;
        }
        return -1;
    };
    const int hd = rowNamed("HD");
    ASSERT_GE(hd, 0);
    EXPECT_TRUE(table()->viewAtRow(hd)->findChild<controls::CheckBox*>()->isHidden());
    click(table()->viewAtRow(hd));
    EXPECT_EQ(picker(), nullptr) << "a saved size slides back at once";

    auto indicator = [&] { return page()->indicatorHolderView.data(); };
    auto bar = [&](int i) { return qobject_cast<appkit::View*>(indicator()->subviews()[i]); };
    EXPECT_EQ(details()->txtName->text(), "HD");
    EXPECT_EQ(details()->lblPresetName->text(), "Size: 1280 X 720");
    EXPECT_TRUE(indicator()->isVisibleTo(page()->view()));
    EXPECT_FALSE(page()->placeholderIcon->isVisibleTo(page()->view()));
    EXPECT_EQ(indicator()->x(), 0);
    EXPECT_EQ(indicator()->width(), 100);
    EXPECT_NEAR(indicator()->height(), 56.25, 1);
    EXPECT_NEAR(indicator()->y(), 21.875, 1);
    EXPECT_DOUBLE_EQ(bar(0)->alphaValue(), 1.0);
    EXPECT_DOUBLE_EQ(bar(1)->alphaValue(), 1.0);

    // Opening the picker again shows that size; a width-only saved size replaces it and the name.
    details()->txtName->setText("typed");
    openPicker();
    EXPECT_EQ(picker()->txtWidth->text(), "1280");
    EXPECT_EQ(picker()->txtHeight->text(), "720");
    // The size in use carries a check, and only it.
    for (int row = 4; row < table()->numberOfRows(); ++row) {
        table()->scrollRowToVisible(row);
        drain();
        const QWidget* cell = table()->viewAtRow(row);
        bool checked = false;
        for (const QLabel* label : cell->findChildren<QLabel*>())
            checked |= label->accessibleName() == "In use" && label->isVisibleTo(cell);
        EXPECT_EQ(checked, row == hd) << "row " << row;
    }
    const int w1280 = rowNamed("W-1280");
    click(picker()->tableView->viewAtRow(w1280));
    EXPECT_EQ(details()->txtName->text(), "W-1280");
    EXPECT_EQ(QRect(indicator()->geometry()), QRect(20, 20, 60, 60));
    EXPECT_DOUBLE_EQ(bar(0)->alphaValue(), 1.0);
    EXPECT_DOUBLE_EQ(bar(1)->alphaValue(), 0.3) << "no height: its bar is faint";

    click(page()->btnDone);
    core::PresetInfo stored = lastStored();
    EXPECT_EQ(stored.count("imageCrop"), 0u) << "a saved size carries no crop choice";
    EXPECT_EQ(stored, (core::PresetInfo{{"presetName", "W-1280"},
                                        {"presetWidth", 1280.0},
                                        {"presetHeight", -1.0},
                                        {"presetPercent", -1.0},
                                        {"autoSaliency", false},
                                        {"autoEnhance", false},
                                        {"outputFormat", "Default"},
                                        {"imageEffect", 1},
                                        {"imageEffectFilter", "Original"}}));
}

TEST_F(PresetEditorTest, TheChosenFormatIsWhatAJobWithThePresetWrites) {
    startWithWelcomeSeen();
    create({"640", "", "", 0, false, "Small PNG", ".png"});
    PresetListForIOS* list = presetList();
    ASSERT_NE(list, nullptr);
    const int row = list->collectionView->numberOfItems() - 1;
    list->collectionView->scrollToItem(row, appkit::CollectionView::ScrollPosition::Bottom, false);
    drain();
    auto* cell = dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(row));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->nameField->text(), "Small PNG");
    EXPECT_EQ(cell->formatBadge->text(), "PNG");

    const auto photo = dir / "in" / "beach.jpg";
    testsupport::writeTestImage(photo, 1200, 800, 3);
    const auto out = dir / "out";
    std::filesystem::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    ASSERT_TRUE(testsupport::dropFiles(cell->presetView, {photo.string()}).dropAccepted);
    ActivityVC* activity = list->activityVC_Embedded;
    ASSERT_NE(activity, nullptr);
    ASSERT_TRUE(mainQueue->runUntil(
        [&] {
            return list->loadingIndicatorView->isHidden() && !activity->isActivityRunning() &&
                   activity->btnDoneOrCancel->text() == "DONE";
        },
        std::chrono::seconds(120)));
    drain();
    std::vector<std::filesystem::path> written;
    for (const auto& e : std::filesystem::recursive_directory_iterator(out))
        if (e.is_regular_file()) written.push_back(e.path());
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].extension(), ".png");
    std::ifstream file(written[0], std::ios::binary);
    char magic[4] = {};
    file.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG") << "the bytes are PNG, not only the name";
    EXPECT_TRUE(std::filesystem::exists(photo)) << "the original stays";
}

}  // namespace
