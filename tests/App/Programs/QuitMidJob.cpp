// quit_mid_job MODE IN OUT [BOUND_MS]: the application as the vorta executable runs it, with a job
// started through the screens: the photos in IN dropped on the built-in preset "W-1280" (no preview, so
// the photos are worked on several at once), the output folder OUT chosen when asked. Once the job has
// written its first file and is still running, MODE "menu" answers "Stop and Quit" and chooses the menu's
// Quit; MODE "signal" prints "running" and waits for the parent's signal. In MODE "stuck-menu" and
// "stuck-signal" every worker sticks for ever once it has written its first temporary file (as on a disk
// that stopped answering), quitting waits BOUND_MS for them, and the parent is told (or the menu used) once a
// temporary is there ("stuck-menu" prints "quitting" as it quits). MODE "collect" drops the folder IN itself
// on the preset, MODE "collect-opened" opens it with the application (it goes to the Advanced tab's list),
// and while it is being collected the program prints "quitting" and quits from the menu. Exits as the
// application does (0), or 3 when the job ended before it could be stopped, 4 when it never got going, 5 when
// the preset list is not as built in.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "App/AppDelegate.h"
#include "App/Application.h"
#include "Core/Job/OutputPaths.h"
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

// True when a regular file below `folder` is hidden (a temporary) or not, as `hidden` says.
bool holdsAFile(const std::filesystem::path& folder, bool hidden) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file() && (it->path().filename().string().front() == '.') == hidden) return true;
    return false;
}

// A worker on a disk that stopped answering: it never comes back.
void stickForEver(const std::filesystem::path&) {
    static std::mutex mutex;
    static std::condition_variable never;
    std::unique_lock lock(mutex);
    never.wait(lock, [] { return false; });
}

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    // The application reads files to open from its arguments; these are not for it.
    int applicationArgc = 1;
    QApplication app(applicationArgc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr,
                     "usage: quit_mid_job menu|signal|stuck-menu|stuck-signal|collect IN OUT [BOUND_MS]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::filesystem::path in = argv[2], out = argv[3];
    const bool stuck = mode.starts_with("stuck-");
    if (stuck) core::setTemporaryWrittenHook(stickForEver);
    std::vector<std::string> photos;
    const bool collecting = mode.starts_with("collect");
    if (collecting) {
        photos.push_back(in.string());
    } else {
        for (const auto& entry : std::filesystem::directory_iterator(in))
            photos.push_back(entry.path().string());
    }

    QTimer watch;
    QPointer<PresetListForIOS> list;
    bool dropped = false;
    const auto started = std::chrono::steady_clock::now();
    return runApplication(app, [&](Application& shell) {
        if (argc == 5) shell.delegate().quitWaitBound = std::chrono::milliseconds(std::stoi(argv[4]));
        QObject::connect(&watch, &QTimer::timeout, [&] {
            AppDelegate& delegate = shell.delegate();
            // Found once: the activity panel it shows during the job may take its place among
            // the tab switcher's children.
            if (!list && delegate.tabBarVC) list = delegate.tabBarVC->firstChild<PresetListForIOS>();
            if (std::chrono::steady_clock::now() - started > std::chrono::seconds(60))
                QCoreApplication::exit(4);
            if (!dropped && mode == "collect-opened") {
                // The Advanced tab takes the preset list's place.
                if (!list) return;
                shell.openFiles(photos);
                dropped = true;
                return;
            }
            if (dropped && collecting) {
                // Something is registered, and it is no job: the folder's collection.
                if (dispatch::waitForRunningJobs(std::chrono::milliseconds(0))) return;
                watch.stop();
                say("quitting");
                quitAction(delegate.mainMenu->actions())->trigger();
                return;
            }
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
            if (!holdsAFile(out, stuck)) return;
            watch.stop();
            if (!activity.isActivityRunning()) {
                QCoreApplication::exit(3);
            } else if (mode.ends_with("menu")) {
                if (stuck) say("quitting");
                appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
                quitAction(delegate.mainMenu->actions())->trigger();
            } else {
                say("running");
            }
        });
        watch.start(10);
    });
}
