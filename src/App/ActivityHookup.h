#pragma once
// Connects the activity and result screens to the application shell: the Rename tab check and the
// end-of-job notification, whose "Show" the application delegate answers. Main thread only.

class AppDelegate;
namespace usernotifications {
class UserNotificationCenter;
}

// Notifications go to `center` (the desktop's when not given); the centre must outlive the hooks.
void connectActivityHooks(AppDelegate& delegate, usernotifications::UserNotificationCenter* center = nullptr);
