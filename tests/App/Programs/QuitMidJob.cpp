// quit_mid_job MODE IN OUT [BOUND_MS]: the application as the vorta executable runs it, with a job
// started through the screens: the photos in IN dropped on the built-in preset "W-1280" (no preview, so
// the photos are worked on several at once), the output folder OUT chosen when asked. Every worker is
// held once it has written its temporary file, until the job is told to stop, so the job is still on its
// files when the quit comes however fast or busy the machine is. Once one is held, MODE "menu" prints
// "quitting", answers "Stop and Quit" and chooses the menu's Quit; MODE "signal" prints "running" and waits
// for the parent's signal; MODE "ended" ends the event loop under the running job (as a desktop session
// ending may); MODE "busy-menu" first hands the global queue a block that never returns (a thumbnail on a
// mount that hangs), prints "quitting" and quits as "menu" does. In MODE "stuck-menu", "stuck-signal",
// "stuck-ended" and "stuck-ended-menu" every worker sticks for ever once it has written its first temporary
// file (as on a disk that stopped answering), quitting waits BOUND_MS for them, and the parent is told (or
// the menu used) once a temporary is there ("stuck-menu" prints "quitting" as it quits, "stuck-ended" prints
// "running" as it ends the event loop, "stuck-ended-menu" ends it and chooses the menu's Quit a moment
// later, during the wait that follows). MODE "collect" drops the folder IN itself on the preset, MODE
// "collect-opened" opens it with the application (it goes to the Advanced tab's list), and while it is
// being collected the program prints "quitting" and quits from the menu (answering "Stop and Quit" for
// the drop, whose job counts as running from the drop). MODE "menu-held" quits as "menu" does and
// "ended-held" ends the event loop as "ended" does, but the workers stay held after the job is told to
// stop until a line comes on standard input: "waiting" is printed once the application waits for them.
// MODE "asked" quits from the menu as "menu" does but leaves the question up ("asking"), until a file
// opened meanwhile waits for it: then it answers "Stop and Quit".
// MODE "open" is a later start with the photo IN as its file to open, as a file manager starts it.
// When it runs as the application it prints "application", then "listed NAME" for every image its
// Advanced tab lists (each time it is listed), and reads commands on standard input: "quit" quits
// from the menu; "quit-when-gathered" and "signal-when-gathered" quit from the menu, or by SIGTERM,
// the moment a file handed over by a later start is gathered (within the second before it is
// listed). When a running instance took the photo it prints "handed over", and "not handed over"
// when none did. Exits as the application does (0), or 3 when the job ended before it could be
// stopped, 4 when it never got going, 5 when the preset list is not as built in.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include <poll.h>
#include <unistd.h>

#include <csignal>

#include "App/AppDelegate.h"
#include "App/Application.h"
#include "App/Document.h"
#include "Core/Job/OutputPaths.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Queue.h"
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

// True when a hidden regular file (a temporary) is below `folder`.
bool holdsATemporary(const std::filesystem::path& folder) {
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file() && it->path().filename().string().front() == '.') return true;
    return false;
}

// A worker on a disk that stopped answering: it never comes back.
void stickForEver(const std::filesystem::path&) {
    static std::mutex mutex;
    static std::condition_variable never;
    std::unique_lock lock(mutex);
    never.wait(lock, [] { return false; });
}

// Every worker waits once it has written its temporary until the job has been told to stop; then it
// finishes its file and stops.
std::mutex gHoldMutex;
std::condition_variable gHoldChanged;
// Atomic as well as locked, as the tests' own worker hold is.
std::atomic<bool> gReleased = false;

void holdUntilStopped(const std::filesystem::path&) {
    std::unique_lock lock(gHoldMutex);
    gHoldChanged.wait(lock, [] { return gReleased.load(); });
}

void releaseHeldWorkers() {
    {
        const std::lock_guard lock(gHoldMutex);
        gReleased = true;
    }
    gHoldChanged.notify_all();
}

// The whole lines that have come on standard input since the last look, without waiting for any.
std::vector<std::string> readCommands(std::string& buffer) {
    pollfd input{0, POLLIN, 0};
    while (::poll(&input, 1, 0) > 0 && (input.revents & POLLIN)) {
        char bytes[256];
        const auto n = ::read(0, bytes, sizeof bytes);
        if (n <= 0) break;
        buffer.append(bytes, static_cast<std::size_t>(n));
    }
    std::vector<std::string> lines;
    for (std::size_t end; (end = buffer.find('\n')) != std::string::npos; buffer.erase(0, end + 1))
        lines.push_back(buffer.substr(0, end));
    return lines;
}

// Answers the question that is up by its button `title`; false when no question is up.
bool answerQuestion(appkit::Window* window, const QString& title) {
    if (!window) return false;
    for (auto* box : window->findChildren<QMessageBox*>())
        if (box->isVisible())
            for (QAbstractButton* button : box->buttons())
                if (button->text() == title) {
                    button->click();
                    return true;
                }
    return false;
}

void say(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace std::chrono_literals;
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: quit_mid_job MODE IN OUT [BOUND_MS]\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::filesystem::path in = argv[2], out = argv[3];
    // The application reads files to open from its arguments; only "open" gives it one.
    char* applicationArgv[] = {argv[0], argv[2], nullptr};
    int applicationArgc = mode == "open" ? 2 : 1;
    QApplication app(applicationArgc, applicationArgv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (mode == "open") {
        QTimer look;
        bool ran = false;
        std::size_t listed = 0;
        std::string input;
        std::string whenGathered;
        const int code = runApplication(app, [&](Application& shell) {
            ran = true;
            say("application");
            QObject::connect(&look, &QTimer::timeout, [&] {
                const auto records = core::sharedImageList().snapshot();
                for (; listed < records.size(); ++listed)
                    say(("listed " + std::filesystem::path(records[listed].strFullPath).filename().string())
                            .c_str());
                if (!whenGathered.empty() && !Document::pendingURLs().empty()) {
                    say("quitting");
                    if (whenGathered == "signal")
                        ::kill(::getpid(), SIGTERM);
                    else
                        quitAction(shell.delegate().mainMenu->actions())->trigger();
                    whenGathered.clear();
                }
                for (const std::string& command : readCommands(input)) {
                    if (command == "quit") quitAction(shell.delegate().mainMenu->actions())->trigger();
                    if (command == "quit-when-gathered") whenGathered = "menu";
                    if (command == "signal-when-gathered") whenGathered = "signal";
                }
            });
            look.start(10);
        });
        if (!ran) say(code == 0 ? "handed over" : "not handed over");
        return code;
    }
    // The held modes quit as the mode without "-held" does.
    const bool heldOn = mode.ends_with("-held");
    const std::string way = heldOn ? mode.substr(0, mode.size() - 5) : mode;
    bool saidWaiting = false;
    const bool stuck = mode.starts_with("stuck-");
    core::setTemporaryWrittenHook(stuck ? stickForEver : holdUntilStopped);
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
    bool quitAsked = false;
    bool answeredQuit = false;
    std::chrono::steady_clock::time_point loopEnded;
    const auto started = std::chrono::steady_clock::now();
    return runApplication(app, [&](Application& shell) {
        if (argc == 5) shell.delegate().quitWaitBound = std::chrono::milliseconds(std::stoi(argv[4]));
        QObject::connect(&watch, &QTimer::timeout, [&] {
            AppDelegate& delegate = shell.delegate();
            // Found once: the activity panel it shows during the job may take its place among
            // the tab switcher's children.
            if (!list && delegate.tabBarVC) list = delegate.tabBarVC->firstChild<PresetListForIOS>();
            if (!quitAsked && std::chrono::steady_clock::now() - started > std::chrono::seconds(60))
                QCoreApplication::exit(4);
            if (!dropped && mode == "collect-opened") {
                // The Advanced tab takes the preset list's place.
                if (!list) return;
                shell.openFiles(photos);
                dropped = true;
                return;
            }
            if (dropped && collecting) {
                // Something is registered: the folder's collection (and, for a drop on a preset, the
                // job it is for, which the quit asks about).
                if (dispatch::waitForRunningJobs(std::chrono::milliseconds(0))) return;
                watch.stop();
                say("quitting");
                if (mode == "collect")
                    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
                quitAction(delegate.mainMenu->actions())->trigger();
                return;
            }
            if (!list || !list->collectionView || !list->activityVC_Embedded) return;
            ActivityVC& activity = *list->activityVC_Embedded;
            if (quitAsked && heldOn) {
                // The application waits for the stopped job; the parent says when its workers go on.
                if (!saidWaiting && activity.isGotCancel() && delegate.isEnding()) {
                    saidWaiting = true;
                    say("waiting");
                }
                pollfd input{0, POLLIN, 0};
                if (saidWaiting && ::poll(&input, 1, 0) > 0) releaseHeldWorkers();
                return;
            }
            if (quitAsked && mode == "asked" && !answeredQuit && !Document::pendingURLs().empty())
                answeredQuit = answerQuestion(shell.mainWindow(), "Stop and Quit");
            if (quitAsked) {
                // The held workers go on only once the job is told to stop.
                if (activity.isGotCancel()) releaseHeldWorkers();
                if (mode == "stuck-ended-menu" && std::chrono::steady_clock::now() - loopEnded > 300ms) {
                    // The ending application's window starts nothing: its content and every command
                    // but Quit refuse input.
                    appkit::Window* window = shell.mainWindow();
                    appkit::ViewController* content = window ? window->contentViewController() : nullptr;
                    const bool refused = content && !content->view()->isEnabled() &&
                                         !delegate.menuItem_AddImages->isEnabled() &&
                                         quitAction(delegate.mainMenu->actions())->isEnabled();
                    say(refused ? "input refused" : "input taken");
                    say("quitting");
                    quitAction(delegate.mainMenu->actions())->trigger();
                    watch.stop();
                }
                return;
            }
            if (!dropped) {
                auto* cell = dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(1));
                if (!cell) return;
                if (cell->nameField->text() != "W-1280") QCoreApplication::exit(5);
                appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
                dropped = testsupport::dropFiles(cell->presetView, photos).dropAccepted;
                return;
            }
            // A worker is on its file, which it cannot finish before it is told to stop.
            if (!holdsATemporary(out)) return;
            quitAsked = true;
            if (!activity.isActivityRunning()) {
                watch.stop();
                QCoreApplication::exit(3);
            } else if (way.ends_with("ended") || mode == "stuck-ended-menu") {
                // The loop ends under the job; this watch goes on turning in the wait that follows.
                if (stuck) say("running");
                loopEnded = std::chrono::steady_clock::now();
                QCoreApplication::exit(0);
            } else if (mode == "asked") {
                say("asking");
                quitAction(delegate.mainMenu->actions())->trigger();
            } else if (way.ends_with("menu")) {
                say("quitting");
                if (mode == "busy-menu") dispatch::Queue::global().async([] { stickForEver({}); });
                appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
                quitAction(delegate.mainMenu->actions())->trigger();
            } else {
                say("running");
            }
        });
        watch.start(10);
    });
}
