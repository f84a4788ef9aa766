// The vorta executable. The background work ends before main returns, while the application
// object still exists.

#include <QApplication>

#include "App/Application.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/FileSizeSignal.h"

int main(int argc, char** argv) {
    dispatch::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    return runApplication(app);
}
