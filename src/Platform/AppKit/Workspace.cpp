#include "Platform/AppKit/Workspace.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QFileInfo>
#include <set>

namespace appkit {

bool Workspace::Backend::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool Workspace::Backend::showItems(const QStringList& uris) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.freedesktop.FileManager1", "/org/freedesktop/FileManager1",
                                       "org.freedesktop.FileManager1", "ShowItems");
    call << uris << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

Workspace::Workspace() : backend_(std::make_unique<Backend>()) {}

Workspace& Workspace::shared() {
    static Workspace workspace;
    return workspace;
}

void Workspace::setBackend(std::unique_ptr<Backend> backend) {
    backend_ = backend ? std::move(backend) : std::make_unique<Backend>();
}

bool Workspace::openFile(const std::string& path) {
    return backend_->openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool Workspace::openURL(const std::string& url) {
    return backend_->openUrl(QUrl(QString::fromStdString(url)));
}

void Workspace::activateFileViewerSelecting(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    QStringList uris;
    for (const auto& path : paths) uris << QUrl::fromLocalFile(QString::fromStdString(path)).toString();
    if (backend_->showItems(uris)) return;
    std::set<QString> folders;
    for (const auto& path : paths) folders.insert(QFileInfo(QString::fromStdString(path)).absolutePath());
    for (const auto& folder : folders) backend_->openUrl(QUrl::fromLocalFile(folder));
}

}  // namespace appkit
