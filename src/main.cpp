// The vorta executable: installs the event-loop main queue and runs the application. The background
// work ends before main returns, while the application object still exists.

#include <QApplication>
#include <QMainWindow>
#include <clocale>
#include <memory>

#include "Extensions/AppGlobals.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"

#ifdef VORTA_HAS_APP
#include "App/Application.h"
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    // Qt adopts the environment's locale; numbers and texts here are formatted with explicit ICU
    // locales, so the process keeps the neutral one.
    std::setlocale(LC_ALL, "C.UTF-8");
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QString::fromStdString(appName().value_or("Vorta")));
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());

#ifdef VORTA_HAS_APP
    // SIGTERM and SIGINT reach the application's own quitting once its shell runs.
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
