#include "Screens/Activity/StopJobQuestion.h"

#include <QPointer>

#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ActivityVC.h"

namespace screens {
namespace {

// A job that has been told to stop is winding down; adding images no longer stops anything.
bool jobRunsOn(const ActivityVC* activity) {
    return activity && activity->isActivityRunning() && !activity->isGotCancel();
}

}  // namespace

appkit::Alert stopJobAlert(const std::string& why) {
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.addButton("Stop Job");
    alert.addButton("Keep Job");
    alert.messageText = "Stop the running job?";
    alert.informativeText = why;
    return alert;
}

void confirmAddingImagesDuringJob(appkit::ViewController& pane, ActivityVC* activity,
                                  std::function<void()> add) {
    if (!jobRunsOn(activity)) {
        add();
        return;
    }
    // Without a window to ask on, the job is kept: it is never stopped unasked.
    appkit::Window* window = pane.isViewLoaded() ? pane.window() : nullptr;
    if (!window) return;
    stopJobAlert("A job is running on this tab. Adding images stops it; the images already written are kept.")
        .beginSheetModal(
            window,
            [job = QPointer<ActivityVC>(activity), add = std::move(add)](appkit::ModalResponse response) {
                if (response != appkit::ModalResponse::AlertFirstButtonReturn) return;
                if (job && jobRunsOn(job)) job->cancelActivity();
                add();
            },
            &pane);
}

}  // namespace screens
