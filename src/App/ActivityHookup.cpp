#include "App/ActivityHookup.h"

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "Screens/Activity/ActivityHooks.h"

void connectActivityHooks(AppDelegate& delegate, usernotifications::UserNotificationCenter* center) {
    auto& hooks = ActivityHooks::shared();
    hooks.isRenameTabSelected = [&delegate] {
        return delegate.tabBarVC && delegate.tabBarVC->intSegmentSelectedNow == 2;
    };
    hooks.deliverNotification = [&delegate, center](const std::optional<std::string>& title,
                                                    const std::string& subtitle,
                                                    const std::string& actionButtonTitle) {
        auto& centre = center ? *center : usernotifications::UserNotificationCenter::defaultCenter();
        centre.setDelegate(&delegate);
        // One end-of-job notice at a time.
        centre.removeAllDeliveredNotifications();
        usernotifications::UserNotification notification;
        notification.title = title.value_or("");
        notification.subtitle = subtitle;
        notification.hasActionButton = true;
        notification.actionButtonTitle = actionButtonTitle;
        // An older notice opens its own job's folder, not the latest one.
        if (const auto folder = delegate.defaults().string("UDTargetFolder"))
            notification.userInfo["UDTargetFolder"] = *folder;
        centre.deliverNotification(std::move(notification));
    };
}
