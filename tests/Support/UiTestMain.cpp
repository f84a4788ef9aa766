// Interface tests need a QApplication before anything else; they run on the offscreen platform.
// The background work ends after the tests, before the process's statics go.

#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "Platform/Dispatch/BackgroundWork.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    // Ends the background work after the tests, while the application object still exists.
    const dispatch::BackgroundWorkScope backgroundWork;
    std::setlocale(LC_ALL, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
