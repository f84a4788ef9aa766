#pragma once
// UserNotificationCenter: shows notifications through the desktop's notification service
// (org.freedesktop.Notifications on the D-Bus session bus) and tells its delegate when the user
// clicks one or its action button. Without a bus or a service, delivering does nothing and says so
// once on standard error. Main thread only: the bus replies and signals arrive on the event loop.

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

#include "Platform/UserNotifications/UserNotification.h"

class QDBusPendingCallWatcher;

namespace usernotifications {

class UserNotificationCenter;

class UserNotificationCenterDelegate {
  public:
    virtual ~UserNotificationCenterDelegate() = default;
    // Asked before a notification is shown; false keeps it from the screen.
    virtual bool shouldPresentNotification(UserNotificationCenter&, const UserNotification&) { return true; }
    // The user clicked the notification (ContentsClicked) or its action button (ActionButtonClicked).
    virtual void didActivateNotification(UserNotificationCenter&, const UserNotification&) {}
};

class UserNotificationCenter : public QObject {
    Q_OBJECT
  public:
    // The action keys sent to the service: the body of the notification, and its one button.
    static constexpr char defaultActionKey[] = "default";
    static constexpr char showActionKey[] = "show";

    // A centre speaking to the service on `bus`.
    explicit UserNotificationCenter(QDBusConnection bus, QObject* parent = nullptr);
    ~UserNotificationCenter() override;

    // The centre on the session bus.
    static UserNotificationCenter& defaultCenter();

    // Not owned; it must outlive its use here or be reset.
    void setDelegate(UserNotificationCenterDelegate* delegate) { delegate_ = delegate; }
    UserNotificationCenterDelegate* delegate() const { return delegate_; }

    void deliverNotification(UserNotification notification);
    // Those shown and not yet closed or activated.
    std::vector<UserNotification> deliveredNotifications() const;
    void removeAllDeliveredNotifications();

  private Q_SLOTS:
    void onActionInvoked(uint identifier, const QString& actionKey);
    void onNotificationClosed(uint identifier, uint reason);

  private:
    void onNotifyReply(QDBusPendingCallWatcher* watcher, UserNotification notification);
    void reportUnavailable(const QString& why);

    QDBusConnection bus_;
    UserNotificationCenterDelegate* delegate_ = nullptr;
    std::map<std::uint32_t, UserNotification> shown_;
    bool reportedUnavailable_ = false;
};

}  // namespace usernotifications
