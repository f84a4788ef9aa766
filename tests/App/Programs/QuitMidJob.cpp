// quit_mid_job MODE IN OUT: the application as the vorta executable runs it, with a job started
// through the screens: the photos in IN dropped on the built-in preset "W-1280" (no preview, so the
// photos are worked on several at once), the output folder OUT chosen when asked. Once the job has written
// its first file and is still running, MODE "menu" answers "Stop and Quit" and chooses the menu's Quit; MODE
// "signal" prints "running" and waits for the parent's signal. Exits as the application does (0), or 3 when
// the job ended before it could be stopped, 4 when it never got going, 5 when the preset list is not as built
// in.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "App/AppDelegate.h"
#include "App/Application.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "Support/UiEvents.h"

namespace {

QAction* quitAction(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action->menuRole() == QAction::QuitRole) return action;
        if (action->menu())
            if (QAction* found = quitAction(action->menu()->actions())) return found;
    }
    return nullptr;
}

bool holdsAFinishedFile(const std::filesystem::path& folder) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file() && it->path().filename().string().front() != '.') return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // The application reads files to open from its arguments; these are not for it.
    int applicationArgc = 1;
    QApplication app(applicationArgc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc != 4) {
        std::fprintf(stderr, "usage: quit_mid_job menu|signal IN OUT\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::filesystem::path in = argv[2], out = argv[3];
    std::vector<std::string> photos;
    for (const auto& entry : std::filesystem::directory_iterator(in)) photos.push_back(entry.path().string());

    QTimer watch;
    QPointer<PresetListForIOS> list;
    bool dropped = false;
    const auto started = std::chrono::steady_clock::now();
    return runApplication(app, [&](Application& shell) {
        QObject::connect(&watch, &QTimer::timeout, [&] {
            AppDelegate& delegate = shell.delegate();
            // Found once: the activity panel it shows during the job may take its place among
            // the tab switcher's children.
            if (!list && delegate.tabBarVC) list = delegate.tabBarVC->firstChild<PresetListForIOS>();
            if (std::chrono::steady_clock::now() - started > std::chrono::seconds(60))
                QCoreApplication::exit(4);
            if (!list || !list->collectionView || !list->activityVC_Embedded) return;
            ActivityVC& activity = *list->activityVC_Embedded;
            if (!dropped) {
                auto* cell = dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(1));
                if (!cell) return;
                if (cell->nameField->text() != "W-1280") QCoreApplication::exit(5);
                appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
                dropped = testsupport::dropFiles(cell->presetView, photos).dropAccepted;
                return;
            }
            if (!holdsAFinishedFile(out)) return;
            watch.stop();
            if (!activity.isActivityRunning()) {
                QCoreApplication::exit(3);
            } else if (mode == "menu") {
                appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
                quitAction(delegate.mainMenu->actions())->trigger();
            } else {
                std::printf("running\n");
                std::fflush(stdout);
            }
        });
        watch.start(10);
    });
}
