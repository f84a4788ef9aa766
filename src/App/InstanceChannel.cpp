#include "App/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QUrl>
#include <filesystem>
#include <set>

namespace {

constexpr int kConnectMilliseconds = 500;

bool isOpenable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && (std::filesystem::is_regular_file(status) || std::filesystem::is_directory(status));
}

}  // namespace

InstanceChannel::InstanceChannel(std::string socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {}

InstanceChannel::~InstanceChannel() {
    if (server_) server_->close();
}

std::string InstanceChannel::defaultSocketPath() {
    // Qt makes sure the runtime folder belongs to the user and has mode 0700.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath() + "/vorta-" + qEnvironmentVariable("USER");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // One instance per settings folder: starts on other settings (as tests make) never meet.
    const QByteArray settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toUtf8();
    const QString tag =
        QString::fromLatin1(QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(12));
    return (folder + "/vorta-" + tag + ".socket").toStdString();
}

bool InstanceChannel::handOff(const std::vector<std::string>& paths) {
    QLocalSocket socket;
    socket.connectToServer(QString::fromStdString(socketPath_));
    if (!socket.waitForConnected(kConnectMilliseconds)) return false;
    QByteArray message;
    for (const auto& path : paths) message += QByteArray::fromStdString(path) + '\n';
    socket.write(message);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(kConnectMilliseconds)) {
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(kConnectMilliseconds);
    return true;
}

bool InstanceChannel::listen() {
    if (server_) return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = QString::fromStdString(socketPath_);
    if (!server_->listen(name)) {
        // Nobody answered on it (handOff failed first): the file is a dead instance's.
        QLocalServer::removeServer(name);
        if (!server_->listen(name)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::takeConnection);
    return true;
}

bool InstanceChannel::isListening() const {
    return server_ && server_->isListening();
}

void InstanceChannel::takeConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        auto buffer = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, socket, [socket, buffer] {
            buffer->append(socket->readAll());
            if (static_cast<std::size_t>(buffer->size()) > kLongestMessage) socket->abort();
        });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
            buffer->append(socket->readAll());
            socket->deleteLater();
            if (static_cast<std::size_t>(buffer->size()) > kLongestMessage) return;
            if (filesReceived) filesReceived(acceptedPaths(buffer->toStdString()));
        });
    }
}

std::vector<std::string> InstanceChannel::acceptedPaths(const std::string& message) {
    std::vector<std::string> paths;
    std::set<std::string> seen;
    std::size_t start = 0;
    while (start < message.size() && paths.size() < kMostPaths) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        const std::string line = message.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.front() != '/' || line.find('\0') != std::string::npos) continue;
        const std::filesystem::path path = std::filesystem::path(line).lexically_normal();
        if (!isOpenable(path) || !seen.insert(path.string()).second) continue;
        paths.push_back(path.string());
    }
    return paths;
}

std::vector<std::string> openedPathsFromArguments(const QStringList& arguments) {
    std::vector<std::string> paths;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        QString local = argument.startsWith("file:") ? QUrl(argument).toLocalFile() : argument;
        if (local.isEmpty()) continue;
        const std::filesystem::path path = std::filesystem::absolute(local.toStdString()).lexically_normal();
        if (isOpenable(path)) paths.push_back(path.string());
    }
    return paths;
}
