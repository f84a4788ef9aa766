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
    // What arrives meanwhile waits for the answer and then goes on as usual: closing the activity
    // drops none of it.
    screens::askAboutJob(
        *window, std::move(alert), screens::QuestionDrops::Nothing,
        [activity](bool yes) {
            if (yes && activity) activity->cancelActivity();
        },
        owner);
}
