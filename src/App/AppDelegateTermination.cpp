// The application delegate's quitting: whether to quit now, ask first or stop the jobs and wait.

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <functional>

#include "App/AppDelegate.h"
#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/Toolbar.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Screens/Activity/RequestGate.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace {

// How often a quit that waits for the jobs looks again: often enough to end promptly, rarely
// enough to leave the cores to the job's last image.
constexpr double kStopPollSeconds = 0.02;

// Work that writes none of the user's files (a folder being collected, a thumbnail) has this long to
// notice it is cancelled once the application has quit.
constexpr std::chrono::milliseconds kIdleWorkGrace{2000};

// While the application ends its window stays drawn but starts nothing: no drop, button or menu
// command but Quit reaches it, so no job and no panel (whose own event loop would hold the process)
// begins during the wait.
void refuseNewWork(appkit::Window* window, QMenuBar* menu) {
    if (window) {
        if (appkit::ViewController* content = window->contentViewController();
            content && content->isViewLoaded())
            content->view()->setEnabled(false);
        if (appkit::Toolbar* toolbar = window->toolbar()) toolbar->setEnabled(false);
    }
    if (!menu) return;
    const std::function<void(const QList<QAction*>&)> refuse = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->menu())
                refuse(action->menu()->actions());
            else if (action->menuRole() != QAction::QuitRole)
                action->setEnabled(false);
        }
    };
    refuse(menu->actions());
}

}  // namespace

void AppDelegate::terminate(QuitAsking asking) {
    if (stoppingToQuit_) {
        // Asked again while the jobs are stopping: the user (or the system) will not wait longer.
        quitGivenUp_ = true;
        return;
    }
    if (dispatch::runningJobCount() == 0) {
        endApplication();
        return;
    }
    appkit::Window* window = mainWindow();
    // A job the user has already stopped is only finishing its file: it is waited for, not asked about.
    if (asking == QuitAsking::StopWithoutAsking || !window || dispatch::unstoppedJobCount() == 0) {
        stopJobsAndQuit();
        return;
    }
    if (askingToQuit_) return;
    askingToQuit_ = true;
    // One sheet at a time: with another question or modal up, the quit is asked about once it has
    // gone, if a job still runs then.
    if (screens::isModalUp()) {
        screens::whenNoModalIsUp(
            [this] {
                askingToQuit_ = false;
                terminate();
            },
            this);
        return;
    }
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.messageText = "A job is running. Stop it and quit?";
    alert.addButton("Stop and Quit");
    alert.addButton("Keep Working");
    // Whatever waits for the answer goes with a quit, and the question says so.
    screens::askAboutJob(
        *window, std::move(alert), screens::QuestionDrops::All,
        [this](bool quit) {
            askingToQuit_ = false;
            if (quit) stopJobsAndQuit();
        },
        this);
}

void AppDelegate::endApplication() {
    ending_ = true;
    quitApplication();
}

void AppDelegate::stopJobsAndQuit() {
    stoppingToQuit_ = true;
    ending_ = true;
    // Requests arriving now are not handled: the application is on its way out, and its window
    // takes no more work (files opened meanwhile go to the next start).
    quitHold_ = screens::holdRequests();
    refuseNewWork(mainWindow(), mainMenu);
    quitDeadline_ = std::chrono::steady_clock::now() + quitWaitBound;
    quitOnceJobsHaveStopped();
}

std::chrono::milliseconds AppDelegate::timeLeftForBackgroundWork() const {
    if (quitGivenUp_) return std::chrono::milliseconds(0);
    if (dispatch::runningJobCount() == 0) return kIdleWorkGrace;
    if (!quitDeadline_) return quitWaitBound;
    const auto left = *quitDeadline_ - std::chrono::steady_clock::now();
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(left));
}

bool AppDelegate::quitWaitIsOver() const {
    return quitGivenUp_ || std::chrono::steady_clock::now() >= *quitDeadline_;
}

void AppDelegate::quitOnceJobsHaveStopped() {
    // Asked again each time: a job whose start was already on its way registers after the first ask.
    dispatch::cancelRunningJobs();
    // Past the deadline a job still running is stuck (on a disk that stopped answering, say): the
    // application quits all the same, and the process ends without it.
    if (dispatch::runningJobCount() == 0 || quitWaitIsOver()) {
        endApplication();
        return;
    }
    appkit::postToMainAfter(this, kStopPollSeconds, [this] { quitOnceJobsHaveStopped(); });
}

std::chrono::milliseconds AppDelegate::waitForBackgroundWorkAfterLoop() {
    using Clock = std::chrono::steady_clock;
    // Whatever arrives from now on (a Quit, the window's close, a signal) ends the wait.
    stoppingToQuit_ = true;
    ending_ = true;
    dispatch::cancelBackgroundWork();
    if (!quitDeadline_) quitDeadline_ = Clock::now() + quitWaitBound;
    std::optional<Clock::time_point> graceEnd;
    const auto over = [&] {
        if (dispatch::runningJobCount() > 0) return quitWaitIsOver();
        if (quitGivenUp_) return true;
        // No job left: what remains writes none of the user's files and gets the short grace only.
        if (!graceEnd) graceEnd = Clock::now() + kIdleWorkGrace;
        return dispatch::backgroundWorkIsIdle() || Clock::now() >= *graceEnd;
    };
    if (!over()) {
        // The events turn meanwhile: the window stays drawn, the stopped job's hand-over stores its
        // totals, and a second request is read.
        refuseNewWork(mainWindow(), mainMenu);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (over()) loop.quit();
        });
        poll.start(static_cast<int>(kStopPollSeconds * 1000));
        loop.exec();
    }
    applicationWillTerminate();
    if (quitGivenUp_ || dispatch::runningJobCount() > 0 || !graceEnd) return std::chrono::milliseconds(0);
    return std::max(std::chrono::milliseconds(0),
                    std::chrono::duration_cast<std::chrono::milliseconds>(*graceEnd - Clock::now()));
}
