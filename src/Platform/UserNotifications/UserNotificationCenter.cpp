#include "Platform/UserNotifications/UserNotificationCenter.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>
#include <cstdio>

namespace usernotifications {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// The service shows one summary and one body: the subtitle leads the body when there is one.
QString bodyOf(const UserNotification& n) {
    if (n.subtitle.empty()) return text(n.informativeText);
    if (n.informativeText.empty()) return text(n.subtitle);
    return text(n.subtitle) + QLatin1Char('\n') + text(n.informativeText);
}

}  // namespace

UserNotificationCenter::UserNotificationCenter(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(std::move(bus)) {
    if (!bus_.isConnected()) return;
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                 SLOT(onActionInvoked(uint, QString)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                 SLOT(onNotificationClosed(uint, uint)));
}

UserNotificationCenter::~UserNotificationCenter() = default;

UserNotificationCenter& UserNotificationCenter::defaultCenter() {
    static auto* center = new UserNotificationCenter(QDBusConnection::sessionBus());
    return *center;
}

void UserNotificationCenter::deliverNotification(UserNotification notification) {
    if (delegate_ && !delegate_->shouldPresentNotification(*this, notification)) return;
    if (!bus_.isConnected()) {
        reportUnavailable(QStringLiteral("no session bus"));
        return;
    }
    QStringList actions{QString::fromLatin1(defaultActionKey), QString()};
    if (notification.hasActionButton)
        actions << QString::fromLatin1(showActionKey)
                << (notification.actionButtonTitle.empty() ? QStringLiteral("Show")
                                                           : text(notification.actionButtonTitle));
    QVariantMap hints;
    if (!notification.soundName.empty())
        hints.insert(QStringLiteral("sound-name"), text(notification.soundName));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QString() << uint(0) << QString() << text(notification.title) << bodyOf(notification) << actions
         << hints << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, notification = std::move(notification)](QDBusPendingCallWatcher* w) {
                onNotifyReply(w, notification);
            });
}

void UserNotificationCenter::onNotifyReply(QDBusPendingCallWatcher* watcher, UserNotification notification) {
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
        reportUnavailable(reply.error().message());
        return;
    }
    notification.identifier = reply.value();
    shown_[notification.identifier] = std::move(notification);
}

void UserNotificationCenter::reportUnavailable(const QString& why) {
    if (reportedUnavailable_) return;
    reportedUnavailable_ = true;
    std::fprintf(stderr, "Notifications are not shown: no notification service (%s)\n",
                 why.toUtf8().constData());
}

std::vector<UserNotification> UserNotificationCenter::deliveredNotifications() const {
    std::vector<UserNotification> list;
    for (const auto& [id, n] : shown_) list.push_back(n);
    return list;
}

void UserNotificationCenter::removeAllDeliveredNotifications() {
    for (const auto& [id, n] : shown_) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CloseNotification"));
        call << uint(id);
        bus_.asyncCall(call);
    }
    shown_.clear();
}

void UserNotificationCenter::onActionInvoked(uint identifier, const QString& actionKey) {
    auto it = shown_.find(identifier);
    // Other applications' notifications are announced on the same bus.
    if (it == shown_.end()) return;
    UserNotification notification = std::move(it->second);
    shown_.erase(it);
    if (actionKey == QLatin1String(showActionKey))
        notification.activationType = UserNotification::ActivationType::ActionButtonClicked;
    else if (actionKey == QLatin1String(defaultActionKey))
        notification.activationType = UserNotification::ActivationType::ContentsClicked;
    else
        return;
    if (delegate_) delegate_->didActivateNotification(*this, notification);
}

void UserNotificationCenter::onNotificationClosed(uint identifier, uint) {
    // The service announces the close after an action, too; the activation has been handled.
    shown_.erase(identifier);
}

}  // namespace usernotifications
