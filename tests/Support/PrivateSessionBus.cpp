#include "Support/PrivateSessionBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStandardPaths>

namespace testsupport {

PrivateSessionBus::PrivateSessionBus() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty()) return;
    daemon_.start(program, {QStringLiteral("--session"), QStringLiteral("--nofork"),
                            QStringLiteral("--nosyslog"), QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(5000)) return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateSessionBus::~PrivateSessionBus() {
    for (const QString& name : connections_) QDBusConnection::disconnectFromBus(name);
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(3000)) daemon_.kill();
        daemon_.waitForFinished(3000);
    }
}

QDBusConnection PrivateSessionBus::connect(const QString& name) {
    const QString unique = name + QLatin1Char('@') + address_;
    connections_ << unique;
    return QDBusConnection::connectToBus(address_, unique);
}

FakeNotificationService::FakeNotificationService(QDBusConnection bus) : bus_(std::move(bus)) {
    registered_ = bus_.isConnected() &&
                  bus_.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                      QDBusConnection::ExportAllSlots) &&
                  bus_.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

uint FakeNotificationService::Notify(const QString& appName, uint, const QString&, const QString& summary,
                                     const QString& body, const QStringList& actions,
                                     const QVariantMap& hints, int) {
    const uint id = nextId_++;
    shown.push_back({id, appName, summary, body, actions, hints});
    return id;
}

void FakeNotificationService::CloseNotification(uint id) {
    closed.push_back(id);
}

QStringList FakeNotificationService::GetCapabilities() {
    return {QStringLiteral("actions"), QStringLiteral("body")};
}

void FakeNotificationService::click(uint id, const QString& actionKey) {
    const QString path = QStringLiteral("/org/freedesktop/Notifications");
    const QString iface = QStringLiteral("org.freedesktop.Notifications");
    QDBusMessage invoked = QDBusMessage::createSignal(path, iface, QStringLiteral("ActionInvoked"));
    invoked << id << actionKey;
    bus_.send(invoked);
    QDBusMessage closedSignal = QDBusMessage::createSignal(path, iface, QStringLiteral("NotificationClosed"));
    closedSignal << id << uint(2);
    bus_.send(closedSignal);
}

}  // namespace testsupport
