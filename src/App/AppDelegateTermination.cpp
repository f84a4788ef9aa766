// The application delegate's quitting: whether to quit now, ask first or stop the jobs and wait.

#include <QCoreApplication>

#include "App/AppDelegate.h"
#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/Dispatch/BackgroundWork.h"

namespace {

// How often a quit that waits for the jobs looks again: often enough to end promptly, rarely
// enough to leave the cores to the job's last image.
constexpr double kStopPollSeconds = 0.02;

}  // namespace

void AppDelegate::terminate(QuitAsking asking) {
    if (stoppingToQuit_) return;
    if (dispatch::runningJobCount() == 0) {
        quitApplication();
        return;
    }
    appkit::Window* window = mainWindow();
    if (asking == QuitAsking::StopWithoutAsking || !window) {
        stopJobsAndQuit();
        return;
    }
    if (askingToQuit_) return;
    askingToQuit_ = true;
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.messageText = "A job is running. Stop it and quit?";
    alert.addButton("Stop and Quit");
    alert.addButton("Keep Working");
    alert.beginSheetModal(
        window,
        [this](appkit::ModalResponse response) {
            askingToQuit_ = false;
            if (response == appkit::ModalResponse::AlertFirstButtonReturn) stopJobsAndQuit();
        },
        this);
}

void AppDelegate::stopJobsAndQuit() {
    stoppingToQuit_ = true;
    quitOnceJobsHaveStopped();
}

void AppDelegate::quitOnceJobsHaveStopped() {
    // Asked again each time: a job whose start was already on its way registers after the first ask.
    dispatch::cancelRunningJobs();
    if (dispatch::runningJobCount() == 0) {
        quitApplication();
        return;
    }
    appkit::postToMainAfter(this, kStopPollSeconds, [this] { quitOnceJobsHaveStopped(); });
}
