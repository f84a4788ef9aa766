// app_scenes OUTDIR STYLE: renders the main window as a user first meets it, in the light or dark
// style: each of the five welcome pages of the first run, then the main window after Done and its
// File menu.
// Writes OUTDIR/app-welcome-<page>-STYLE.png, OUTDIR/app-main-window-STYLE.png and
// OUTDIR/app-menu-file-STYLE.png (the File menu open).

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "App/Appearance.h"
#include "App/Application.h"
#include "App/TabBarVC.h"
#include "App/WelcomePageCtrl.h"
#include "Controls/PushButton.h"
#include "Controls/ScrollBarStyle.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Support/AppScene.h"

namespace {

bool save(QWidget& window, const QString& file) {
    QTest::qWait(50);
    if (window.grab().save(file)) return true;
    std::fprintf(stderr, "cannot write %s\n", file.toLocal8Bit().constData());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    const auto scene = testsupport::startAppScene(argc, argv);
    if (!scene) return 2;
    const QString out = scene->out;
    const QString style = scene->style;

    QTemporaryDir settingsDir;
    foundation::UserDefaults settings(settingsDir.filePath("settings.json").toStdString());
    bool ok = true;
    {
        Application shell(settings);
        shell.finishLaunching();
        appkit::Window& window = *shell.mainWindow();
        window.resize(1000, 680);
        auto* root = shell.mainWindowController()->contentViewController();
        auto* pages = root ? root->firstChild<WelcomePageCtrl>() : nullptr;
        if (!pages) {
            std::fprintf(stderr, "no welcome pages on a first run\n");
            return 1;
        }
        for (int page = 0; page < 5; ++page) {
            pages->showPage(page);
            ok = save(window, out + QStringLiteral("/app-welcome-%1-%2.png").arg(page).arg(style)) && ok;
        }
        pages->onDone();
        QTest::qWait(100);
        if (!root->firstChild<TabBarVC>()) {
            std::fprintf(stderr, "Done did not lead to the main window\n");
            return 1;
        }
        ok = save(window, out + QStringLiteral("/app-main-window-%1.png").arg(style)) && ok;

        // The File menu open over the window: a menu is a window of its own, so the screen is grabbed.
        QMenuBar* bar = shell.delegate().mainMenu;
        QAction* file = bar ? bar->actions().value(1) : nullptr;
        if (!file || !file->menu()) {
            std::fprintf(stderr, "the menu bar has no File menu\n");
            return 1;
        }
        window.raise();
        window.activateWindow();
        // Opened from its title, as a user opens it, so the bar shows which menu is open.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
        QTest::qWait(200);
        const QRect frame = window.geometry();
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, frame.x(), frame.y(),
                                                                          frame.width(), frame.height());
        file->menu()->hide();
        const QString menuFile = out + QStringLiteral("/app-menu-file-%1.png").arg(style);
        if (!shot.save(menuFile)) {
            std::fprintf(stderr, "cannot write %s\n", menuFile.toLocal8Bit().constData());
            ok = false;
        }
    }
    dispatch::Queue::setMainBackend(nullptr);
    return ok ? 0 : 1;
}
