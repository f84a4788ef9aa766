#pragma once
// A D-Bus session bus of the test's own (dbus-daemon started for the test and stopped with it), and
// a fake desktop notification service on it that records what it is asked to show and sends the
// user's clicks back. Main thread only; the bus traffic runs on the event loop.

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <vector>

namespace testsupport {

class PrivateSessionBus {
  public:
    PrivateSessionBus();
    ~PrivateSessionBus();
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

    // False when no dbus-daemon could be started here.
    bool isRunning() const { return !address_.isEmpty(); }
    // A new connection to the bus under a name unique to this bus.
    QDBusConnection connect(const QString& name);

  private:
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

class FakeNotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
  public:
    struct Shown {
        uint id;
        QString appName, summary, body;
        QStringList actions;
        QVariantMap hints;
    };

    // Takes the service name on `bus`; registered() is false when that failed.
    explicit FakeNotificationService(QDBusConnection bus);
    bool registered() const { return registered_; }

    std::vector<Shown> shown;
    std::vector<uint> closed;

    // What the desktop sends when the user clicks: the body ("default") or a button's key.
    void click(uint id, const QString& actionKey);

  public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints, int expireTimeout);
    void CloseNotification(uint id);
    QStringList GetCapabilities();

  private:
    QDBusConnection bus_;
    bool registered_ = false;
    uint nextId_ = 41;
};

}  // namespace testsupport
