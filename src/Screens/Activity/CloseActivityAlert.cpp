#include "Screens/Activity/CloseActivityAlert.h"

#include "Platform/AppKit/Alert.h"
#include "Screens/Activity/StopJobQuestion.h"

void confirmCloseActivity(appkit::Window* window, QPointer<ActivityVC> activity, const QObject* owner) {
    if (!window || !activity) return;
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.addButton("Yes");
    alert.addButton("No");
    alert.messageText = "Close activity";
    alert.informativeText = "This will close/cancel the running activity.\nAre you sure to close/cancel it?";
    // Files opened meanwhile wait for the answer and then go on as usual: this question is about
    // the activity only.
    screens::askAboutJob(
        *window, std::move(alert), screens::OpenedFilesOnKeep::HandledAfter,
        [activity](bool yes) {
            if (yes && activity) activity->cancelActivity();
        },
        owner);
}
