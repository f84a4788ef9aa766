// The output-folder question as the user meets it: the folder chooser over the window, driven with
// the keyboard and the mouse while it runs modally.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <filesystem>
#include <functional>
#include <set>

#include "Controls/PushButton.h"
#include "Controls/TextField.h"
#include "Core/Job/OutputFolder.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Setup/OutputFolderChoice.h"
#include "Screens/Setup/TextPrompt.h"
#include "Support/PanelDriving.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kQuestion = "Choose the folder for the resized images";

class OutputFolderChoiceTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        window.setGeometry(50, 50, 700, 500);
        window.show();
        QApplication::setActiveWindow(&window);
        drain();
    }

    // Runs `act` on the folder chooser once it shows, while ensureOutputFolder waits for it.
    bool answerChooser(const std::function<void(QDialog&)>& act) {
        const testsupport::PanelAnswer answer(kQuestion, act);
        const bool chosen = screens::ensureOutputFolder(defaults);
        EXPECT_TRUE(answer.acted()) << "no folder chooser showed";
        return chosen;
    }
    QRgb windowMiddle() { return window.grab().toImage().pixel(window.width() / 2, window.height() / 2); }

    testsupport::TempDir dir;
    foundation::UserDefaults defaults{dir / "settings.json"};
    appkit::Window window;
};

TEST_F(OutputFolderChoiceTest, ChooseTakesTheShownFolderOverADimmedWindowAndEscapeCancels) {
    fs::create_directories(dir / "out" / "older job");
    const QRgb before = windowMiddle();
    const bool chosen = answerChooser([&](QDialog& chooser) {
        const QPoint offset = chooser.geometry().center() - window.geometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << "the chooser is off the window's centre";
        EXPECT_TRUE(window.geometry().contains(chooser.geometry())) << "the chooser runs past the window";
        EXPECT_LT(qGray(windowMiddle()) + 10, qGray(before)) << "the window is not dimmed";
        EXPECT_EQ(chooser.windowModality(), Qt::WindowModal);
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&chooser);
        ASSERT_NE(reader, nullptr);
        EXPECT_TRUE(reader->state().modal) << "a screen reader is not told the chooser is modal";

        const auto parts = testsupport::PanelParts::of(&chooser);
        ASSERT_TRUE(parts.complete());
        EXPECT_TRUE(parts.goTo(dir / "out"));
        ASSERT_TRUE(chooser.isVisible()) << "Return on a folder closed the chooser";
        EXPECT_TRUE(parts.marked().empty());
        QPushButton* choose = parts.button("Choose");
        ASSERT_NE(choose, nullptr);
        EXPECT_TRUE(choose->isEnabled()) << "Choose is off while the chooser shows a folder";
        QTest::mouseClick(choose, Qt::LeftButton);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(core::resolveOutputFolder(defaults), fs::canonical(dir / "out"));
    drain();
    EXPECT_EQ(windowMiddle(), before) << "the window stays dimmed after the chooser";

    // A remembered folder that is gone is asked for again; Escape leaves the question unanswered.
    fs::remove_all(dir / "out");
    EXPECT_FALSE(answerChooser([](QDialog& chooser) { QTest::keyClick(&chooser, Qt::Key_Escape); }));
    EXPECT_FALSE(core::resolveOutputFolder(defaults));
}

TEST_F(OutputFolderChoiceTest, NewFolderAsksItsNameWithTheDrawnControlsMakesItAndChoosesIt) {
    fs::create_directories(dir / "base" / "photos");
    QPointer<setup::TextPrompt> asked;
    const bool chosen = answerChooser([&](QDialog& chooser) {
        const auto parts = testsupport::PanelParts::of(&chooser);
        ASSERT_TRUE(parts.complete());
        EXPECT_TRUE(parts.goTo(dir / "base"));
        QPushButton* newFolder = parts.button("New Folder");
        ASSERT_NE(newFolder, nullptr);
        const auto lightness = [](QWidget& w, QPoint at) {
            return QColor(w.grab().toImage().pixel(at)).lightness();
        };
        const QPoint farCorner(chooser.width() - 20, chooser.height() - 60);
        const int undimmed = lightness(chooser, farCorner);
        QTest::mouseClick(newFolder, Qt::LeftButton);
        QTest::qWait(20);
        asked = chooser.findChild<setup::TextPrompt*>();
        ASSERT_NE(asked, nullptr) << "New Folder asks no name";
        EXPECT_TRUE(asked->isVisible());
        EXPECT_EQ(asked->windowModality(), Qt::WindowModal);
        // A small sheet at the top of the chooser: centred on it, set off by its edge and its shadow
        // on the chooser, which is dimmed while it waits.
        const QRect onChooser(chooser.mapFromGlobal(asked->mapToGlobal(QPoint(0, 0))), asked->size());
        EXPECT_TRUE(chooser.rect().contains(onChooser));
        EXPECT_LE(std::abs(onChooser.center().x() - chooser.width() / 2), 2);
        EXPECT_LE(onChooser.top(), 20) << "the prompt hangs from the chooser's top";
        const int dimmed = lightness(chooser, farCorner);
        EXPECT_LE(dimmed, undimmed - 8) << "the chooser is not dimmed under the prompt";
        EXPECT_LE(lightness(chooser, QPoint(onChooser.center().x(), onChooser.bottom() + 4)), dimmed - 3)
            << "no shadow under the prompt";
        const QPoint edgeAt(asked->width() / 4, asked->height() - 1);
        EXPECT_GE(std::abs(lightness(*asked, edgeAt) - lightness(*asked, edgeAt - QPoint(0, 5))), 12)
            << "no line marks the prompt's edge";
        controls::TextField* name = asked->field();
        EXPECT_EQ(name->text(), "untitled folder");
        EXPECT_EQ(name->selectedText(), "untitled folder") << "typing does not replace the suggestion";
        controls::PushButton* create = nullptr;
        for (auto* candidate : asked->findChildren<controls::PushButton*>())
            if (candidate->text() == "Create") create = candidate;
        ASSERT_NE(create, nullptr);

        // A name already taken, none, or one with a slash cannot be made; Return then makes nothing.
        for (const char* taken : {"photos", "  ", "May/June"}) {
            QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(name, taken);
            EXPECT_FALSE(create->isEnabled()) << taken;
            const QString typed = QString(taken).trimmed();
            bool told = false;
            for (auto* line : asked->findChildren<QLabel*>())
                told = told || (line->isVisible() && line->text().contains("\u201c" + typed + "\u201d"));
            EXPECT_EQ(told, !typed.isEmpty()) << "the prompt does not say why: " << taken;
            QTest::keyClick(name, Qt::Key_Return);
            EXPECT_TRUE(asked && asked->isVisible()) << taken;
        }
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, "Exports <i>May");
        EXPECT_TRUE(create->isEnabled()) << name->text().toStdString();
        QTest::keyClick(name, Qt::Key_Return);
        QTest::qWait(20);
        EXPECT_TRUE(!asked || !asked->isVisible()) << "the prompt stays after the folder was made";
        EXPECT_TRUE(fs::is_directory(dir / "base" / "Exports <i>May"));
        EXPECT_EQ(parts.marked(), std::set<std::string>{"Exports <i>May"});
        EXPECT_TRUE(chooser.isVisible());
        QTest::mouseClick(parts.button("Choose"), Qt::LeftButton);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(core::resolveOutputFolder(defaults), fs::canonical(dir / "base" / "Exports <i>May"));
}

}  // namespace
