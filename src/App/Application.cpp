#include "App/Application.h"

#include <QApplication>
#include <QEvent>
#include <chrono>
#include <clocale>
#include <cstdio>

#include "App/Document.h"
#include "App/InstanceChannel.h"
#include "App/MainMenuBar.h"
#include "App/MainStoryboard.h"
#include "App/TerminationSignals.h"
#include "Controls/ScrollBarStyle.h"
#include "Extensions/AppGlobals.h"
#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"
#include "Platform/Dispatch/Queue.h"

Application::Application(foundation::UserDefaults& defaults)
    : delegate_(std::make_unique<AppDelegate>(defaults)) {
    controls::installScrollBarStyle();
    registerShellScenes(appkit::Storyboard::main());
    // Closing the main window ends the application (there is no dock to bring it back from), and
    // every way out saves the presets.
    QApplication::setQuitOnLastWindowClosed(false);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { delegate_->applicationWillTerminate(); });
    // A logout may end the process without a quit: save while the session asks.
    connect(
        qApp, &QGuiApplication::commitDataRequest, this, [this] { delegate_->applicationWillTerminate(); },
        Qt::DirectConnection);
}

Application::~Application() {
    if (windowController_ && windowController_->isWindowLoaded())
        windowController_->window()->removeEventFilter(this);
    windowController_.reset();
    // The screens' jobs write into the delegate's settings: none outlives the shell.
    dispatch::cancelRunningJobs();
    dispatch::waitForRunningJobs(delegate_->timeLeftForBackgroundWork());
}

appkit::Window* Application::mainWindow() {
    return windowController_ ? windowController_->window() : nullptr;
}

void Application::finishLaunching() {
    windowController_ = std::make_shared<VortaWindowController>();
    Document::attachWindowController(windowController_.get());
    appkit::Window* window = windowController_->window();
    window->installEventFilter(this);
    installMainMenu(*delegate_, *window);
    // Resizes are announced from the start, on the first run as well.
    delegate_->observeWindow(window);
    windowController_->setContentViewController(
        appkit::Storyboard::main().instantiateController(ids::scene::switchVC));
    delegate_->applicationWillFinishLaunching();
    delegate_->applicationDidFinishLaunching();
    // On the first run the welcome pages come first and the delegate leaves the window alone.
    if (!window->isVisible()) makeKeyAndOrderFront(*window);
    sayWhySettingsAreNotSaved(*window);
}

void Application::sayWhySettingsAreNotSaved(appkit::Window& window) {
    const auto& reason = delegate_->defaults().keptFromSaving();
    if (!reason) return;
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.messageText = "Your settings could not be read";
    alert.informativeText = *reason;
    alert.addButton("OK");
    alert.beginSheetModal(
        &window, [](appkit::ModalResponse) {}, this);
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && windowController_ && watched == windowController_->window()) {
        // The window stays until the application ends: while a job runs the user may keep working.
        event->ignore();
        delegate_->terminate();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Application::openFiles(const std::vector<std::string>& paths) {
    if (appkit::Window* window = mainWindow()) makeKeyAndOrderFront(*window);
    Document::openURLs(paths);
}

void Application::takeFilesFrom(InstanceChannel& channel) {
    channel.filesReceived = [this](const std::vector<std::string>& paths) {
        if (appkit::Window* window = mainWindow()) makeKeyAndOrderFront(*window);
        return Document::openHandedOver(paths);
    };
    channel.fateOf = [](std::uint64_t ticket) { return Document::fateOf(ticket); };
    channel.startWent = [](std::uint64_t ticket) { Document::forget(ticket); };
    channel.isEnding = [this] { return delegate().isEnding(); };
}

namespace {

// How long a later start waits for a running Vorta that neither answers nor ends: long enough for
// one busy with a big folder, short of leaving the user without a word. Tests set it shorter.
std::chrono::milliseconds handOffPatience() {
    bool valid = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("VORTA_HANDOFF_PATIENCE_MS", &valid);
    if (valid && fromEnvironment > 0) return std::chrono::milliseconds(fromEnvironment);
    return std::chrono::minutes(2);
}

}  // namespace

int runApplication(QApplication& app, const std::function<void(Application&)>& launched) {
    // Qt adopts the environment's locale; numbers and texts here are formatted with explicit ICU
    // locales, so the process keeps the neutral one.
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromStdString(appName().value_or("Vorta")));
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    const auto opened = openedPathsFromArguments(app.arguments());
    // A later start hands its files to the running instance and ends once it hears what became of
    // them; while that instance ends, it waits for it and then runs as the application with its files.
    InstanceChannel channel(InstanceChannel::defaultSocketPath(), InstanceChannel::defaultLockPath());
    const auto patience = handOffPatience();
    if (const auto outcome = channel.start(opened, patience);
        outcome != InstanceChannel::Start::Application) {
        const auto seconds =
            static_cast<long long>(std::chrono::ceil<std::chrono::seconds>(patience).count());
        switch (outcome) {
            case InstanceChannel::Start::Refused:
                std::fprintf(stderr, "Too many files for the running Vorta to take at once.\n");
                break;
            case InstanceChannel::Start::SomeNotImages:
                std::fprintf(stderr,
                             "Some of the files are not images the running Vorta adds; only the images were "
                             "added.\n");
                break;
            case InstanceChannel::Start::NoImages:
                std::fprintf(stderr,
                             "None of the files is an image the running Vorta adds; nothing was added.\n");
                break;
            case InstanceChannel::Start::NotAdded:
                // Let go by the user's answer (a job kept running), or by a list that changed under them.
                std::fprintf(stderr, "The running Vorta did not add the files; they are in no list.\n");
                break;
            case InstanceChannel::Start::NoAnswer:
                std::fprintf(stderr,
                             "Vorta is running but did not answer within %lld s; the files were not opened. "
                             "It may still open them once it answers.\n",
                             seconds);
                break;
            case InstanceChannel::Start::NotEnded:
                std::fprintf(stderr,
                             "The running Vorta did not finish quitting within %lld s; the files were not "
                             "opened.\n",
                             seconds);
                break;
            case InstanceChannel::Start::Application:
            case InstanceChannel::Start::HandedOver:
                break;
        }
        dispatch::Queue::setMainBackend(nullptr);
        return outcome == InstanceChannel::Start::HandedOver ? 0 : 1;
    }
    int code = 0;
    {
        Application shell(userDefaults());
        // A signal decides without asking: the jobs stop, then the application quits.
        const TerminationSignals terminationSignals(
            [&shell] { shell.delegate().terminate(AppDelegate::QuitAsking::StopWithoutAsking); });
        shell.finishLaunching();
        shell.takeFilesFrom(channel);
        // Without a socket the application still runs; later starts say it does not answer.
        if (!channel.listen()) std::fprintf(stderr, "Vorta cannot take files from later starts.\n");
        if (!opened.empty()) dispatch::Queue::main().async([&shell, opened] { shell.openFiles(opened); });
        if (launched) launched(shell);
        code = app.exec();
        // However the loop ended, the application is ending: later starts wait for it to be gone.
        channel.applicationHasEnded();
        // The signals are still read while the background work ends, and the presets and the
        // stopped job's totals are saved. A worker that did not end in time (stuck on a disk that
        // stopped answering) is not waited for: the process ends here, its temporary files removed.
        if (!dispatch::stopBackgroundWork(shell.delegate().waitForBackgroundWorkAfterLoop()))
            dispatch::exitAbandoningBackgroundWork(code);
    }
    dispatch::Queue::setMainBackend(nullptr);
    return code;
}
