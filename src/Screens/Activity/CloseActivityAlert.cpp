#include "Screens/Activity/CloseActivityAlert.h"

#include "Platform/AppKit/Alert.h"

void confirmCloseActivity(appkit::Window* window, QPointer<ActivityVC> activity, const QObject* owner) {
    if (!window || !activity) return;
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.addButton("Yes");
    alert.addButton("No");
    alert.messageText = "Close activity";
    alert.informativeText = "This will close/cancel the running activity.\nAre you sure to close/cancel it?";
    alert.beginSheetModal(
        window,
        [activity](appkit::ModalResponse response) {
            if (response == appkit::ModalResponse::AlertFirstButtonReturn && activity)
                activity->cancelActivity();
        },
        owner);
}
