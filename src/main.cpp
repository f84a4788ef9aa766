// The vorta executable: installs the event-loop main queue and runs the application.

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QMainWindow>
#include <QSocketNotifier>
#include <clocale>
#include <csignal>
#include <memory>

#include "Extensions/AppGlobals.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"

#ifdef VORTA_HAS_APP
#include "App/Application.h"
#endif

namespace {

int gSignalPipe[2] = {-1, -1};

void onTerminationSignal(int) {
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(gSignalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT quit through the event loop, so the normal termination path runs.
void quitOnTerminationSignals(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte;
        [[maybe_unused]] auto n = ::read(gSignalPipe[0], &byte, 1);
        app.quit();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt adopts the environment's locale; numbers and texts here are formatted with explicit ICU
    // locales, so the process keeps the neutral one.
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromStdString(appName().value_or("Vorta")));
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    quitOnTerminationSignals(app);

#ifdef VORTA_HAS_APP
    return runApplication(app);
#else
    QMainWindow window;
    window.setWindowTitle(QString::fromStdString(appName().value_or("Vorta")));
    window.resize(1000, 680);
    window.show();
    QObject::connect(&app, &QApplication::aboutToQuit, [] { userDefaults().synchronize(); });
    const int rc = app.exec();
    dispatch::Queue::setMainBackend(nullptr);
    return rc;
#endif
}
