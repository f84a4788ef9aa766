// editor_scenes OUTDIR STYLE: the preset editor sheet as a user goes through it, in the light or
// dark style: the sheet as it opens, the missing-size message, the size picker in editor mode with
// a width typed, the sheet with a size picked, a name and PNG chosen, and the picker's list of saved
// sizes as the editor offers them. Writes OUTDIR/editor-<step>-STYLE.png; exits non-zero when a
// step fails.

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "App/AppDefaults.h"
#include "App/Appearance.h"
#include "App/Application.h"
#include "Controls/ScrollBarStyle.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Screens/Setup/AddPresetContainerForMac.h"
#include "Screens/Setup/AddPresetNewVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/FormatSelectionView.h"
#include "Screens/Setup/PickerSegueSender.h"
#include "Screens/Setup/PresetDetailsTableVC.h"
#include "Support/AppScene.h"

namespace {

int fail(const char* why) {
    std::fprintf(stderr, "%s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    const auto scene = testsupport::startAppScene(argc, argv);
    if (!scene) return 2;
    const QString out = scene->out;
    const QString style = scene->style;

    QTemporaryDir dir;
    foundation::UserDefaults settings(dir.filePath("settings.json").toStdString());
    settings.set(appkeys::isShowFirst, foundation::PlistValue(1));
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1000, 680);
        QTest::qWait(300);
        auto shot = [&](const char* step) {
            QTest::qWait(150);
            const QString file = out + QStringLiteral("/editor-%1-%2.png").arg(step, style);
            if (testsupport::composedScreen(window).save(file)) return true;
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return false;
        };
        auto* root = shell.mainWindowController()->contentViewController();
        QTest::mouseClick(shell.mainWindowController()->btnAdd, Qt::LeftButton);
        QTest::qWait(100);
        auto* sheet =
            root && !root->presentedViewControllers().empty()
                ? dynamic_cast<AddPresetContainerForMac*>(root->presentedViewControllers().front().get())
                : nullptr;
        auto* page = sheet ? sheet->firstChild<AddPresetNewVC>() : nullptr;
        if (sheet) sheet->view()->window()->move(window.geometry().x() + 220, window.geometry().y() + 64);
        auto* details = page ? page->firstChild<PresetDetailsTableVC>() : nullptr;
        if (!details) return fail("the toolbar's + opened no editor");
        ok = shot("1-sheet") && ok;

        QTest::mouseClick(page->btnDone, Qt::LeftButton);
        ok = shot("2-size-missing") && ok;
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();

        QTest::mouseClick(details->btnChooseSize, Qt::LeftButton);
        QTest::qWait(300);
        auto* picker = sheet->firstChild<DefaultPresetsPickerVC>();
        if (!picker) return fail("Choose Size showed no picker");
        QTest::keyClicks(picker->txtWidth, "1920");
        QTest::keyClicks(picker->txtHeight, "1080");
        picker->segResizeCrop->setSelectedSegment(1);
        ok = shot("3-picker-editor") && ok;

        QTest::mouseClick(picker->btnDone, Qt::LeftButton);
        QTest::qWait(100);
        details->txtName->setText(QStringLiteral("Wallpaper"));
        if (auto* png = details->formatRow()->buttonWithTag(3)) QTest::mouseClick(png, Qt::LeftButton);
        ok = shot("4-size-picked") && ok;

        // The saved sizes as the editor offers them: one click on a row picks that size alone, and
        // the size in use (1920 x 1080, the saved Full HD) carries a check.
        QTest::mouseClick(details->btnChooseSize, Qt::LeftButton);
        QTest::qWait(300);
        if (auto* listPicker = sheet->firstChild<DefaultPresetsPickerVC>()) {
            listPicker->tableView->scrollRowToVisible(listPicker->tableView->numberOfRows() - 1);
            QTest::qWait(100);
            ok = shot("5-picker-list") && ok;
            listPicker->onBack();
        } else {
            ok = fail("Choose Size showed no picker the second time") == 0 && ok;
        }
        QTest::qWait(100);
        page->onCancel();
        QTest::qWait(100);
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
