#include "App/ActivityHookup.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "App/ResultsPreview.h"
#include "App/TabBarVC.h"
#include "Screens/Activity/ActivityHooks.h"

void connectActivityHooks(AppDelegate& delegate, usernotifications::UserNotificationCenter* center) {
    auto& hooks = ActivityHooks::shared();
    // The hooks outlive any one delegate (tests start the application several times): they hold a
    // guarded pointer and do nothing once it is gone.
    const QPointer<AppDelegate> app(&delegate);
    hooks.isRenameTabSelected = [app] {
        return app && app->tabBarVC && app->tabBarVC->intSegmentSelectedNow == 2;
    };
    // One preset's written files in the preview panel (the results grid's Preview).
    hooks.showPreviewPanel = [app, source = std::make_shared<ResultsPreview>()](
                                 const std::vector<std::string>& paths, int currentIndex) {
        if (app) source->show(paths, currentIndex);
    };
    hooks.clearCancelActivityMenuItem = [app] {
        if (app && app->menuItem_CancelActivity) app->menuItem_CancelActivity->clearAction();
    };
    hooks.deliverNotification = [app, center](const std::optional<std::string>& title,
                                              const std::string& subtitle,
                                              const std::string& actionButtonTitle) {
        if (!app) return;
        auto& centre = center ? *center : usernotifications::UserNotificationCenter::defaultCenter();
        centre.setDelegate(app.data());
        // One end-of-job notice at a time.
        centre.removeAllDeliveredNotifications();
        usernotifications::UserNotification notification;
        notification.title = title.value_or("");
        notification.subtitle = subtitle;
        notification.hasActionButton = true;
        notification.actionButtonTitle = actionButtonTitle;
        notification.soundName = usernotifications::UserNotification::completionSoundName;
        // An older notice opens its own job's folder, not the latest one.
        if (const auto folder = app->defaults().string("UDTargetFolder"))
            notification.userInfo["UDTargetFolder"] = *folder;
        centre.deliverNotification(std::move(notification));
    };
}
