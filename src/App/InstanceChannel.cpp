#include "App/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <thread>

namespace {

constexpr int kConnectMilliseconds = 500;
// How long each blocking wait of a later start lasts before it looks at its patience again.
constexpr qint64 kSliceMilliseconds = 1000;
constexpr int kRetryPauseMilliseconds = 50;

// A message is the paths, one a line, then this byte (never part of a path); the answer is one byte.
constexpr char kEndOfMessage = '\0';
constexpr char kTaken = 'T';
constexpr char kEnding = 'E';
constexpr char kRefused = 'R';

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

InstanceChannel::HandOff InstanceChannel::handOff(const std::vector<std::string>& paths,
                                                  std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    const auto left = [&] {
        return std::max<qint64>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    };
    QByteArray message;
    for (const auto& path : paths) message += QByteArray::fromStdString(path) + '\n';
    message += kEndOfMessage;
    bool toldWaiting = false;
    // Each round reaches whichever instance listens now: the one that answered "ending" is gone
    // when its connection closes, and then this start (or one that came first) is the application.
    while (true) {
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(socketPath_));
        if (!socket.waitForConnected(kConnectMilliseconds)) return HandOff::NoneRuns;
        socket.write(message);
        while (socket.bytesToWrite() > 0 && left() > 0 &&
               socket.waitForBytesWritten(static_cast<int>(std::min<qint64>(left(), kSliceMilliseconds)))) {
        }
        char reply = 0;
        while (left() > 0 && !socket.getChar(&reply)) {
            if (socket.state() != QLocalSocket::ConnectedState) break;
            socket.waitForReadyRead(static_cast<int>(std::min<qint64>(left(), kSliceMilliseconds)));
        }
        if (reply == kTaken) return HandOff::Taken;
        if (reply == kRefused) return HandOff::Refused;
        if (reply == kEnding) {
            if (!toldWaiting) std::fprintf(stderr, "Vorta is quitting; the files open once it has ended.\n");
            toldWaiting = true;
            while (left() > 0 && socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(static_cast<int>(std::min<qint64>(left(), kSliceMilliseconds)));
        }
        if (left() == 0) {
            std::fprintf(stderr, "The running Vorta did not end in time; starting anyway.\n");
            return HandOff::NoneRuns;
        }
        // Closed without a word: the instance ended as the files came. A moment's pause keeps a
        // listener that closes at once from making this spin.
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryPauseMilliseconds));
    }
}

bool InstanceChannel::listen() {
    if (server_) return server_->isListening();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = QString::fromStdString(socketPath_);
    if (!server_->listen(name)) {
        // Another start that waited for the same ending instance may have followed it first: its
        // socket is never taken over.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(kConnectMilliseconds)) {
            delete server_;
            server_ = nullptr;
            return false;
        }
        // Nobody answers on it: the file is a dead instance's.
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
        auto answered = std::make_shared<bool>(false);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer, answered] {
            if (*answered) {
                socket->readAll();
                return;
            }
            buffer->append(socket->readAll());
            const qsizetype end = buffer->indexOf(kEndOfMessage);
            if (end < 0 && static_cast<std::size_t>(buffer->size()) <= kLongestMessage) return;
            *answered = true;
            if (end < 0) {
                // Longer than any list of files this instance takes.
                socket->putChar(kRefused);
                socket->disconnectFromServer();
            } else {
                answer(socket, buffer->left(end));
            }
            buffer->clear();
        });
        // A start that went before its message was whole, or after the answer, leaves nothing behind.
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void InstanceChannel::answer(QLocalSocket* socket, const QByteArray& message) {
    if (isEnding && isEnding()) {
        // The connection stays open until this instance is gone: the other start waits for that.
        socket->putChar(kEnding);
        socket->flush();
        return;
    }
    if (filesReceived) filesReceived(acceptedPaths(message.toStdString()));
    socket->putChar(kTaken);
    socket->flush();
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
