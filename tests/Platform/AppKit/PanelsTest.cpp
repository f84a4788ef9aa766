#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QDragEnterEvent>
#include <QFileSystemModel>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/FileDrop.h"
#include "Platform/AppKit/KeyDownMonitor.h"
#include "Platform/AppKit/Menu.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/OpenPanel.h"
#include "Platform/AppKit/Pasteboard.h"
#include "Platform/AppKit/Popover.h"
#include "Platform/AppKit/SegmentedControl.h"
#include "Platform/AppKit/SharingMenu.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"
#include "Platform/AppKit/Workspace.h"
#include "Support/PanelDriving.h"
#include "Support/RecordingWorkspace.h"
#include "Support/SceneStyle.h"
#include "Support/TempDir.h"
#include "Support/UiEvents.h"
#include "Support/UiTestFixture.h"

using namespace appkit;
namespace fs = std::filesystem;

namespace {

class PanelsTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        ModalScript::clear();
        window.resize(400, 300);
        window.show();
    }
    void TearDown() override {
        ModalScript::clear();
        UiTest::TearDown();
    }
    Window window;
};

TEST_F(PanelsTest, AlertScriptedAnswerRunsTheCompletionOnceLater) {
    Alert alert;
    alert.messageText = "Cancel the job?";
    alert.addButton("Yes");
    alert.addButton("No");
    ModalScript::pushAlertAnswer(ModalResponse::AlertSecondButtonReturn);
    std::vector<ModalResponse> answers;
    alert.beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
    EXPECT_TRUE(answers.empty());
    drain();
    EXPECT_EQ(answers, std::vector<ModalResponse>{ModalResponse::AlertSecondButtonReturn});
    EXPECT_EQ(window.sheetCount(), 0);

    // A screen that is gone by the time the answer comes never hears it.
    auto screen = std::make_unique<QObject>();
    ModalScript::pushAlertAnswer(ModalResponse::AlertFirstButtonReturn);
    alert.beginSheetModal(
        &window, [&](ModalResponse r) { answers.push_back(r); }, screen.get());
    screen.reset();
    drain();
    EXPECT_EQ(answers.size(), 1u);
}

TEST_F(PanelsTest, AlertSheetShowsPlainTextAndAnswersWithTheClickedButton) {
    auto alert = std::make_unique<Alert>();
    alert->messageText = "<b>photo</b>";
    alert->informativeText = "It is <i>gone</i>";
    alert->addButton("Yes");
    alert->addButton("No");
    std::vector<ModalResponse> answers;
    alert->beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
    alert.reset();  // the sheet does not need the alert object
    drain();
    EXPECT_EQ(window.sheetCount(), 1);
    auto* box = window.findChild<QMessageBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "<b>photo</b>");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    QPushButton* no = nullptr;
    for (auto* button : box->findChildren<QPushButton*>())
        if (button->text() == "No") no = button;
    ASSERT_NE(no, nullptr);
    QTest::mouseClick(no, Qt::LeftButton);
    drain();
    EXPECT_EQ(answers, std::vector<ModalResponse>{ModalResponse::AlertSecondButtonReturn});
    EXPECT_EQ(window.sheetCount(), 0);
}

TEST_F(PanelsTest, OpenPanelTakesFilesAndFoldersWithAllowedExtensions) {
    testsupport::TempDir dir;
    dir.write("a.JPG", "x");
    dir.write("b.png", "x");
    dir.write("c.txt", "x");
    fs::create_directory(dir / "folder");
    fs::create_symlink(dir / "b.png", dir / "link.png");

    OpenPanel panel;
    panel.canChooseDirectories = true;
    panel.allowsMultipleSelection = true;
    panel.allowedFileTypes = {"jpg", "png"};
    EXPECT_TRUE(panel.accepts((dir / "a.JPG").string()));
    EXPECT_FALSE(panel.accepts((dir / "c.txt").string()));
    EXPECT_TRUE(panel.accepts((dir / "folder").string()));

    ModalScript::pushOpenPanelAnswer({ModalResponse::OK,
                                      {(dir / "folder").string(), (dir / "c.txt").string(),
                                       (dir / "a.JPG").string(), (dir / "link.png").string()}});
    std::vector<ModalResponse> answers;
    panel.beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
    drain();
    ASSERT_EQ(answers, std::vector<ModalResponse>{ModalResponse::OK});
    const auto canonical = [](const fs::path& p) { return fs::canonical(p).string(); };
    EXPECT_EQ(panel.urls(), (std::vector<std::string>{canonical(dir / "folder"), canonical(dir / "a.JPG"),
                                                      canonical(dir / "b.png")}));

    panel.canChooseDirectories = false;
    panel.allowsMultipleSelection = false;
    ModalScript::pushOpenPanelAnswer(
        {ModalResponse::OK, {(dir / "folder").string(), (dir / "b.png").string()}});
    EXPECT_EQ(panel.runModal(), ModalResponse::OK);
    EXPECT_EQ(panel.urls(), std::vector<std::string>{canonical(dir / "b.png")});

    ModalScript::pushOpenPanelAnswer({ModalResponse::Cancel, {(dir / "b.png").string()}});
    EXPECT_EQ(panel.runModal(), ModalResponse::Cancel);
    EXPECT_TRUE(panel.urls().empty());
}

TEST_F(PanelsTest, OpenPanelStartsInPicturesAndOffersThePlacesAUserLooksIn) {
    testsupport::TempDir temp;
    const fs::path home = temp / "<i>x</i>";  // named like markup, shown as typed
    fs::create_directories(home / "Pictures" / "Trip");
    fs::create_directories(home / ".config");
    const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home / ".config").string()));

    OpenPanel panel;
    panel.canChooseDirectories = true;
    std::vector<ModalResponse> answers;
    panel.beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
    drain();
    QDialog* sheet = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) sheet = d;
    ASSERT_NE(sheet, nullptr);
    auto* location = sheet->findChild<QLineEdit*>();
    ASSERT_NE(location, nullptr);
    EXPECT_EQ(location->text().toStdString(), (home / "Pictures").string() + "/")
        << "no folder named: Pictures";

    QListWidget* placesList = nullptr;
    for (auto* list : sheet->findChildren<QListWidget*>())
        if (list->accessibleName() == "Places") placesList = list;
    ASSERT_NE(placesList, nullptr);
    std::map<std::string, std::string> offered;
    for (int i = 0; i < placesList->count(); ++i)
        offered[placesList->item(i)->text().toStdString()] =
            placesList->item(i)->data(Qt::UserRole).toString().toStdString();
    EXPECT_EQ(offered["Home"], home.string());
    EXPECT_EQ(offered["Pictures"], (home / "Pictures").string());
    EXPECT_EQ(offered["Computer"], "/");
    // A place's path shows in its tip as typed.
    for (int i = 0; i < placesList->count(); ++i) {
        const QString tip = placesList->item(i)->toolTip();
        const QString shown =
            Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip;
        EXPECT_EQ(shown.toStdString(), placesList->item(i)->data(Qt::UserRole).toString().toStdString());
    }
    // A place is one click away.
    for (int i = 0; i < placesList->count(); ++i)
        if (placesList->item(i)->text() == "Home") {
            const QRect at = placesList->visualItemRect(placesList->item(i));
            QTest::mouseClick(placesList->viewport(), Qt::LeftButton, {}, at.center());
        }
    EXPECT_EQ(location->text().toStdString(), home.string() + "/");
    sheet->reject();
    drain();
    EXPECT_EQ(answers, std::vector<ModalResponse>{ModalResponse::Cancel});
    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

QDialog* shownSheet() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible()) return d;
    return nullptr;
}

QPushButton* buttonTitled(QWidget* sheet, const QString& title) {
    for (auto* button : sheet->findChildren<QPushButton*>())
        if (button->text() == title) return button;
    return nullptr;
}

TEST_F(PanelsTest, OpenPanelDimsItsWindowMatchesItsButtonsAndShowsThumbnails) {
    testsupport::TempDir dir;
    QImage red(300, 200, QImage::Format_RGB32);
    red.fill(QColor(220, 20, 20));
    ASSERT_TRUE(red.save(QString::fromStdString((dir / "red.png").string())));
    dir.write("notes.png", "not an image at all");
    fs::create_directory(dir / "Holiday");
    const QString styleName = qApp->style()->name();
    const QPalette oldPalette = qApp->palette();

    struct Case {
        const char* look;
        bool dark;
        bool open;  // answer with Open after choosing the photo, else with Cancel
    };
    for (const Case& c : {Case{"light", false, true}, Case{"dark", true, false}}) {
        SCOPED_TRACE(c.look);
        testsupport::applySceneStyle(*qApp, c.dark);
        drain();
        const QRgb before = window.grab().toImage().pixel(window.width() / 2, window.height() / 2);

        OpenPanel panel;
        panel.canChooseDirectories = true;
        panel.allowsMultipleSelection = true;
        panel.allowedFileTypes = {"png"};
        panel.directory = dir.path().string();
        std::vector<ModalResponse> answers;
        panel.beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
        drain();
        QDialog* sheet = shownSheet();
        ASSERT_NE(sheet, nullptr);

        const QRgb dimmed = window.grab().toImage().pixel(window.width() / 2, window.height() / 2);
        EXPECT_LT(qGray(dimmed) + 10, qGray(before)) << "the window is not dimmed behind the panel";

        // The photo's row shows the photo itself once its thumbnail is made; the rest keep their icons.
        auto* tree = sheet->findChild<QTreeView*>();
        ASSERT_NE(tree, nullptr);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        ASSERT_NE(model, nullptr);
        const auto iconCentre = [&](const char* name) {
            const QModelIndex at = model->index(QString::fromStdString((dir / name).string()));
            const QIcon icon = model->data(at, Qt::DecorationRole).value<QIcon>();
            const QImage image = icon.pixmap(24, 24).toImage();
            return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
        };
        bool thumbnail = false;
        for (int i = 0; i < 250 && !thumbnail; ++i) {
            wait(20);
            const QColor centre = iconCentre("red.png");
            thumbnail = centre.red() > 180 && centre.green() < 60 && centre.blue() < 60;
        }
        EXPECT_TRUE(thumbnail) << "the photo has no thumbnail";
        const QColor unreadable = iconCentre("notes.png");
        EXPECT_FALSE(unreadable.red() > 180 && unreadable.green() < 60) << "a broken file shows a thumbnail";

        // Choose the photo, so both buttons are live, then compare them as a user would see them.
        const QModelIndex photo = model->index(QString::fromStdString((dir / "red.png").string()));
        tree->selectionModel()->select(photo,
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        drain();
        QPushButton* open = buttonTitled(sheet, "Open");
        QPushButton* cancel = buttonTitled(sheet, "Cancel");
        ASSERT_TRUE(open && cancel);
        ASSERT_TRUE(open->isEnabled());
        EXPECT_EQ(open->size(), cancel->size());
        const QImage openLook = open->grab().toImage(), cancelLook = cancel->grab().toImage();
        for (const QPoint at : {QPoint(6, open->height() / 2), QPoint(open->width() / 2, 4)})
            EXPECT_EQ(openLook.pixelColor(at), cancelLook.pixelColor(at)) << at.x() << "," << at.y();
        const QColor face = openLook.pixelColor(6, open->height() / 2);
        EXPECT_EQ(face.lightness() < 128, c.dark) << "the buttons do not follow the light or dark look";

        QTest::mouseClick(c.open ? open : cancel, Qt::LeftButton);
        drain();
        EXPECT_EQ(answers, std::vector<ModalResponse>{c.open ? ModalResponse::OK : ModalResponse::Cancel});
        if (c.open) {
            EXPECT_EQ(panel.urls(), std::vector<std::string>{fs::canonical(dir / "red.png").string()});
        }
        EXPECT_EQ(shownSheet(), nullptr);
        const QRgb after = window.grab().toImage().pixel(window.width() / 2, window.height() / 2);
        EXPECT_EQ(after, before) << "the window stays dimmed after the panel";
    }
    qApp->setStyle(QStyleFactory::create(styleName));
    qApp->setPalette(oldPalette);

    // Run on its own, the panel dims the window the user was working in, and only while it is up.
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    drain();
    const QRgb before = window.grab().toImage().pixel(window.width() / 2, window.height() / 2);
    QRgb during = before;
    QTimer::singleShot(0, [&] {
        during = window.grab().toImage().pixel(window.width() / 2, window.height() / 2);
        if (QDialog* sheet = shownSheet()) sheet->reject();
    });
    OpenPanel panel;
    EXPECT_EQ(panel.runModal(), ModalResponse::Cancel);
    EXPECT_LT(qGray(during) + 10, qGray(before)) << "the window is not dimmed behind the panel";
    drain();
    EXPECT_EQ(window.grab().toImage().pixel(window.width() / 2, window.height() / 2), before);
}

TEST_F(PanelsTest, OpenPanelPathFieldFollowsTypingCompletesWithTabAndReturnEntersOrTakes) {
    testsupport::TempDir dir;
    for (const char* folder : {"start", "Trip 2024", "Trip 2025", "Winter", "photos"})
        fs::create_directory(dir / folder);
    dir.write("photos/a.jpg", "x");
    dir.write("photos/b.png", "x");
    dir.write("photos/notes.txt", "x");
    const std::string root = fs::canonical(dir.path()).string();

    OpenPanel panel;
    panel.canChooseDirectories = true;
    panel.allowsMultipleSelection = true;
    panel.allowedFileTypes = {"jpg", "png"};
    panel.directory = root + "/start";
    std::vector<ModalResponse> answers;
    panel.beginSheetModal(&window, [&](ModalResponse r) { answers.push_back(r); });
    drain();
    const testsupport::PanelParts shown = testsupport::PanelParts::of(shownSheet());
    ASSERT_TRUE(shown.complete());
    QApplication::setActiveWindow(shown.sheet);
    shown.path->setFocus();
    ASSERT_TRUE(shown.path->hasFocus());
    const auto settle = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 250 && !done(); ++i) wait(20);
        return done();
    };

    // Typing a path shows its folder and marks the entry the name being typed starts.
    shown.type(root + "/Win");
    EXPECT_EQ(shown.shownFolder(), root);
    EXPECT_TRUE(settle([&] { return shown.marked() == std::set<std::string>{"Winter"}; }));
    EXPECT_EQ(shown.path->text().toStdString(), root + "/Win") << "the typed text stays as typed";

    // Tab completes as far as the names agree, then the one folder left, and goes into it.
    struct Tab {
        const char* typed;
        std::string completed;
        std::string shownAfter;
    };
    for (const Tab& tab : {Tab{"Tr", root + "/Trip 202", root}, Tab{"Tr4", "", ""},
                           Tab{"Trip 2024", root + "/Trip 2024/", root + "/Trip 2024"},
                           Tab{"wi", root + "/Winter/", root + "/Winter"}}) {
        SCOPED_TRACE(tab.typed);
        shown.type(root + "/" + tab.typed);
        QTest::keyClick(shown.path, Qt::Key_Tab);
        drain();
        if (tab.completed.empty()) {
            EXPECT_EQ(shown.path->text().toStdString(), root + "/" + tab.typed) << "nothing to complete";
            EXPECT_FALSE(shown.path->hasFocus()) << "with nothing to complete, Tab moves on";
            shown.path->setFocus();
            continue;
        }
        EXPECT_EQ(shown.path->text().toStdString(), tab.completed);
        EXPECT_EQ(shown.shownFolder(), tab.shownAfter);
        EXPECT_TRUE(shown.path->hasFocus()) << "Tab left the field";
    }

    // Return on a folder enters it and lists its images; on nothing or on a refused file it stays.
    shown.type(root + "/photos");
    QTest::keyClick(shown.path, Qt::Key_Return);
    drain();
    ASSERT_EQ(shownSheet(), shown.sheet) << "Return on a folder closed the panel";
    EXPECT_EQ(shown.shownFolder(), root + "/photos");
    EXPECT_EQ(shown.path->text().toStdString(), root + "/photos/");
    EXPECT_TRUE(settle([&] {
        return shown.listed() == std::set<std::string>{"a.jpg", "b.png"};
    })) << "the folder's images are not listed";
    for (const std::string& typed :
         {root + "/photos/missing", root + "/photos/notes.txt", std::string("~/")}) {
        SCOPED_TRACE(typed);
        shown.type(typed);
        QTest::keyClick(shown.path, Qt::Key_Return);
        drain();
        EXPECT_EQ(shownSheet(), shown.sheet) << "Return closed the panel";
    }
    EXPECT_EQ(shown.shownFolder(), QDir::homePath().toStdString()) << "~ is the home folder";
    EXPECT_TRUE(answers.empty());

    // Return on an acceptable file takes that file, whatever was marked before.
    shown.type(root + "/photos/b.png");
    QTest::keyClick(shown.path, Qt::Key_Return);
    drain();
    EXPECT_EQ(shownSheet(), nullptr);
    EXPECT_EQ(answers, std::vector<ModalResponse>{ModalResponse::OK});
    EXPECT_EQ(panel.urls(), std::vector<std::string>{root + "/photos/b.png"});
}

TEST_F(PanelsTest, OpenPanelOpensCentredOverItsWindowAndIsModalToScreenReaders) {
    window.setGeometry(50, 50, 700, 500);
    drain();
    OpenPanel panel;
    panel.beginSheetModal(&window, [](ModalResponse) {});
    drain();
    QDialog* sheet = shownSheet();
    ASSERT_NE(sheet, nullptr);
    const QPoint offset = sheet->geometry().center() - window.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << "the panel is off the window's centre " << offset.x() << ","
                                           << offset.y() << " " << sheet->width() << "x" << sheet->height();
    EXPECT_TRUE(window.geometry().contains(sheet->geometry())) << "the panel runs past the window";
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(sheet);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(reader->role(), QAccessible::Dialog);
    EXPECT_TRUE(reader->state().modal) << "a screen reader is not told the panel is modal";
    // Return where nothing takes it does not close the panel through its default button.
    QTest::keyClick(sheet, Qt::Key_Return);
    drain();
    EXPECT_EQ(shownSheet(), sheet);
    sheet->reject();
}

TEST_F(PanelsTest, DroppedFileUrlsArriveAsPathsWithFolders) {
    QWidget target;
    target.resize(100, 100);
    target.show();
    auto* drop = new FileDropTarget(&target);
    std::vector<std::string> received;
    int exits = 0;
    drop->performDrop = [&](const std::vector<std::string>& paths, const DropSource& source) {
        received = paths;
        EXPECT_FALSE(source.internal);
        return true;
    };
    drop->draggingExited = [&] { ++exits; };

    const auto result =
        testsupport::dropFiles(&target, {"/photos/a.jpg", "/photos/folder/", "/photos/other folder"});
    EXPECT_TRUE(result.enterAccepted);
    EXPECT_TRUE(result.dropAccepted);
    EXPECT_FALSE(drop->isDragInside());
    EXPECT_EQ(received,
              (std::vector<std::string>{"/photos/a.jpg", "/photos/folder", "/photos/other folder"}));
    EXPECT_EQ(exits, 1);

    QMimeData web;
    web.setUrls({QUrl("https://example.com/x.jpg")});
    QDragEnterEvent remote(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &remote);
    EXPECT_FALSE(remote.isAccepted()) << "only local files are taken";

    QMimeData text;
    text.setText("no files");
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(PanelsTest, KeyMonitorConsumesKeysAndIsNeverCalledAfterItsOwnerIsGone) {
    QLineEdit field;
    field.show();
    field.setFocus();
    QApplication::setActiveWindow(&field);
    auto owner = std::make_unique<QObject>();
    int spaces = 0;
    new KeyDownMonitor(owner.get(), [&](QKeyEvent& key) {
        if (key.key() != Qt::Key_Space) return false;
        ++spaces;
        return true;
    });
    QTest::keyClick(&field, Qt::Key_Space);
    QTest::keyClick(&field, Qt::Key_A);
    EXPECT_EQ(spaces, 1);
    EXPECT_EQ(field.text(), "a") << "the space was consumed, the letter passed";
    owner.reset();
    QTest::keyClick(&field, Qt::Key_Space);
    EXPECT_EQ(spaces, 1);
    EXPECT_EQ(field.text(), "a ");
}

TEST_F(PanelsTest, WorkspaceRevealsInTheFileManagerOrOpensTheFolders) {
    auto backend = std::make_unique<testsupport::RecordingWorkspace>(true);
    auto* recording = backend.get();
    Workspace::shared().setBackend(std::move(backend));
    Workspace::shared().activateFileViewerSelecting({"/photos/a b.jpg"});
    EXPECT_EQ(recording->shown, std::vector<std::string>{"file:///photos/a b.jpg"});
    EXPECT_TRUE(recording->opened.empty());

    backend = std::make_unique<testsupport::RecordingWorkspace>(false);
    recording = backend.get();
    Workspace::shared().setBackend(std::move(backend));
    Workspace::shared().activateFileViewerSelecting({"/photos/a.jpg", "/photos/b.jpg", "/out/c.jpg"});
    EXPECT_EQ(recording->opened, (std::vector<std::string>{"file:///out", "file:///photos"}));
    Workspace::shared().openFolder("/out/job");
    EXPECT_EQ(recording->opened.back(), "file:///out/job");

    QWidget anchor;
    std::unique_ptr<QMenu> menu(makeSharingMenu({"/out/a.jpg", "/out/b.jpg"}, &anchor));
    ASSERT_EQ(menu->actions().size(), 3);
    EXPECT_EQ(menu->actions()[0]->text(), "Open in File Manager");
    EXPECT_EQ(menu->actions()[1]->text(), "Copy File Paths");
    EXPECT_EQ(menu->actions()[2]->text(), "Email");
    menu->actions()[0]->trigger();
    EXPECT_EQ(recording->opened.back(), "file:///out");
    menu->actions()[1]->trigger();
    EXPECT_EQ(Pasteboard::general().string(), "/out/a.jpg\n/out/b.jpg");
    EXPECT_EQ(emailArguments({"/out/a.jpg", "/out/b.jpg"}),
              (QStringList{"--attach", "/out/a.jpg", "--attach", "/out/b.jpg"}));
    Workspace::shared().setBackend(nullptr);

    Pasteboard::general().writeFileURLs({"/out/a.jpg", "/out/folder"});
    EXPECT_EQ(Pasteboard::general().fileURLs(), (std::vector<std::string>{"/out/a.jpg", "/out/folder"}));
}

TEST_F(PanelsTest, MenuItemsNeedAnActionAndSegmentsActOnlyOnClicks) {
    Menu menu;
    MenuItem* cancel = menu.addItem("Cancel Activity");
    EXPECT_FALSE(cancel->isEnabled());
    int runs = 0;
    cancel->setAction([&](MenuItem& item) { runs += item.tag(); });
    cancel->setTag(4);
    EXPECT_TRUE(cancel->isEnabled());
    cancel->trigger();
    EXPECT_EQ(runs, 4);
    cancel->clearAction();
    EXPECT_FALSE(cancel->isEnabled());
    menu.addSeparator();
    MenuItem* other = menu.addItem("Other", [](MenuItem&) {});
    EXPECT_EQ(menu.indexOfItem(other), 2);
    EXPECT_EQ(menu.itemWithTag(4), cancel);
    other->setState(MenuItem::State::On);
    MenuItem* named = menu.addItem("Tom & Jerry 1080");
    EXPECT_EQ(named->title(), "Tom & Jerry 1080");
    EXPECT_EQ(named->text(), "Tom && Jerry 1080") << "shown with its ampersand, no mnemonic";
    EXPECT_TRUE(other->isChecked());

    SegmentedControl segments({"Presets", "Advanced", "Rename", "Bulk"});
    segments.show();
    int actions = 0;
    segments.setAction([&](SegmentedControl&) { ++actions; });
    segments.setSelectedSegment(2);
    EXPECT_EQ(actions, 0);
    EXPECT_EQ(segments.selectedSegment(), 2);
    auto buttons = segments.findChildren<QToolButton*>();
    ASSERT_EQ(buttons.size(), 4);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(segments.selectedSegment(), 1);
    EXPECT_FALSE(buttons[2]->isChecked());
    segments.setSelectedSegment(9);
    EXPECT_EQ(segments.selectedSegment(), -1);
}

TEST_F(PanelsTest, AScreenReaderHearsSegmentsAsPageTabsAndItsPressSelectsExactlyOne) {
    SegmentedControl segments({"Presets", "Advanced", "Rename", "Bulk"});
    segments.show();
    std::vector<int> actions;
    segments.setAction([&](SegmentedControl& s) { actions.push_back(s.selectedSegment()); });
    segments.setSelectedSegment(0);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&segments);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::PageTabList);
    auto tabs = segments.findChildren<QToolButton*>();
    ASSERT_EQ(tabs.size(), 4);

    auto selectedNames = [&] {
        QStringList names;
        for (QToolButton* tab : tabs) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(tab);
            if (a && a->state().selected) names << a->text(QAccessible::Name);
        }
        return names;
    };
    // Pressed as a screen reader presses them, whichever was selected before, and twice the same.
    const struct {
        int pressed;
        QString selected;
    } cases[] = {{1, "Advanced"}, {3, "Bulk"}, {3, "Bulk"}, {0, "Presets"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pressed);
        QAccessibleInterface* tab = QAccessible::queryAccessibleInterface(tabs[c.pressed]);
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->role(), QAccessible::PageTab) << "a tab, not a check box";
        EXPECT_FALSE(tab->state().checkable);
        EXPECT_EQ(tab->parent()->role(), QAccessible::PageTabList);
        QAccessibleActionInterface* press = tab->actionInterface();
        ASSERT_NE(press, nullptr);
        ASSERT_TRUE(press->actionNames().contains(QAccessibleActionInterface::pressAction()));
        press->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(selectedNames(), QStringList{c.selected});
        EXPECT_EQ(segments.selectedSegment(), c.pressed);
        ASSERT_FALSE(actions.empty());
        EXPECT_EQ(actions.back(), c.pressed) << "the press runs the control's action like a click";
    }
    EXPECT_EQ(actions.size(), std::size(cases));
}

TEST_F(PanelsTest, PopoverOpensBelowItsAnchorAndKeepsItsContentWhenClosed) {
    auto content = std::make_shared<ViewController>();
    content->view()->setMinimumSize(120, 60);
    auto* anchor = new View;
    anchor->setParent(&window);
    anchor->setGeometry(50, 50, 100, 30);
    anchor->show();
    Popover popover;
    popover.setContentViewController(content);
    popover.show(anchor->bounds(), anchor, RectEdge::MinY);
    drain();
    ASSERT_TRUE(popover.isShown());
    EXPECT_GE(popover.panel()->geometry().top(), anchor->mapToGlobal(QPoint(0, anchor->height())).y());
    View* view = content->view();
    popover.panel()->close();  // as a click outside does
    drain();
    EXPECT_FALSE(popover.isShown());
    EXPECT_EQ(content->view(), view) << "the content's view survives the panel";
}

}  // namespace
