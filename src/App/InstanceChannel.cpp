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
// The pause before a start looks again for an application that is starting or has just ended.
constexpr int kRetryPauseMilliseconds = 50;
// How often the application looks whether files a start waits on have reached its list.
constexpr int kWaitingPollMilliseconds = 50;
// How often a start whose files wait for the list hears that they are still held.
constexpr auto kHeldEvery = std::chrono::seconds(1);

// A message is the paths, one a line, then this byte (never part of a path). The answer is "held"
// at once when the files are on their way, then what became of them, or "ending".
constexpr char kEndOfMessage = '\0';
constexpr char kTaken = 'T';
constexpr char kSomeNotImages = 'S';
constexpr char kNoImages = 'N';
constexpr char kNotAdded = 'K';
constexpr char kHeld = 'H';
constexpr char kEnding = 'E';
constexpr char kRefused = 'R';

char replyFor(HandOverFate fate) {
    switch (fate) {
        case HandOverFate::Listed:
            return kTaken;
        case HandOverFate::SomeNotImages:
            return kSomeNotImages;
        case HandOverFate::NoImages:
            return kNoImages;
        case HandOverFate::NotAdded:
            break;
    }
    return kNotAdded;
}

bool isOpenable(const std::filesystem::path& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    return !ec && (std::filesystem::is_regular_file(status) || std::filesystem::is_directory(status));
}

}  // namespace

InstanceChannel::InstanceChannel(std::string socketPath, std::string lockPath, QObject* parent)
    : QObject(parent),
      socketPath_(std::move(socketPath)),
      lockPath_(lockPath.empty() ? socketPath_ + ".lock" : std::move(lockPath)),
      fallbackLockPath_(socketPath_ + ".lock") {
    waitingPoll_.setInterval(kWaitingPollMilliseconds);
    connect(&waitingPoll_, &QTimer::timeout, this, &InstanceChannel::answerWaiting);
}

InstanceChannel::~InstanceChannel() {
    // The socket file goes while the lock is still held, so it is this instance's own; the starts
    // still connected see their connection close once the lock is free.
    if (server_) server_->close();
}

std::string InstanceChannel::defaultSocketPath() {
    // Qt makes sure the runtime folder belongs to the user and has mode 0700.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath() + "/vorta-" + qEnvironmentVariable("USER");
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // One instance per settings folder: starts on other settings (as tests make) never meet, and
    // starts that name one folder differently (through a link, with a trailing "/") do.
    const std::filesystem::path named =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(named, ec);
    const QByteArray settings = QByteArray::fromStdString((ec ? named : canonical).string());
    const QString tag =
        QString::fromLatin1(QCryptographicHash::hash(settings, QCryptographicHash::Sha1).toHex().left(12));
    return (folder + "/vorta-" + tag + ".socket").toStdString();
}

std::string InstanceChannel::defaultLockPath() {
    // Two starts on one settings folder meet here, even where their environments name different
    // runtime folders (a start without XDG_RUNTIME_DIR, from su or ssh).
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Vorta";
    QDir().mkpath(folder);
    return (folder + "/instance.lock").toStdString();
}

InstanceChannel::Guard InstanceChannel::takeLock() {
    Guard guard;
    guard.path = lockPath_;
    std::optional<InstanceLock> settings = InstanceLock::tryTake(lockPath_, guard.outcome, &guard.error);
    if (guard.outcome == InstanceLock::Outcome::Held) return guard;
    if (fallbackLockPath_ == lockPath_) {
        settingsLock_ = std::move(settings);
        return guard;
    }
    // The lock beside the socket guards the socket's path, whichever lock made its holder the
    // application: it stands in for a settings lock file that cannot be opened at all (a link there, a
    // settings folder that takes no file, another user's file), and an application that took it so
    // keeps any start that opens the settings lock later from running beside it.
    InstanceLock::Outcome besideOutcome = InstanceLock::Outcome::Held;
    std::string besideError;
    std::optional<InstanceLock> beside =
        InstanceLock::tryTake(fallbackLockPath_, besideOutcome, &besideError);
    if (besideOutcome == InstanceLock::Outcome::Held) {
        // Another application holds the socket's path: the settings lock, if taken, goes again here.
        return {InstanceLock::Outcome::Held, fallbackLockPath_, {}};
    }
    if (!settings && !beside) {
        guard.error = lockPath_ + ": " + guard.error + "; " + fallbackLockPath_ + ": " + besideError;
        return guard;
    }
    if (!settings) guard = {InstanceLock::Outcome::Taken, fallbackLockPath_, {}};
    settingsLock_ = std::move(settings);
    socketLock_ = std::move(beside);
    return guard;
}

InstanceChannel::Start InstanceChannel::start(const std::vector<std::string>& paths,
                                              std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    QByteArray message;
    for (const auto& path : paths) message += QByteArray::fromStdString(path) + '\n';
    message += kEndOfMessage;
    bool toldWaiting = false;
    // Each round either takes the lock or reaches the application that holds it: one that is
    // starting listens soon, and one that ended lets go of the lock as its connections close.
    while (true) {
        const Guard guard = takeLock();
        if (holdsLock()) return Start::Application;
        // The holder names its socket once it listens; until then, or where it cannot write its note
        // (a lock taken read-only keeps an old one), a start looks where its own would be.
        std::vector<std::string> sockets;
        if (guard.outcome == InstanceLock::Outcome::Held)
            if (std::string note = InstanceLock::noteOf(guard.path); !note.empty() && note != socketPath_)
                sockets.push_back(std::move(note));
        sockets.push_back(socketPath_);
        const Reply reply = handOnce(sockets, message, deadline, patience, toldWaiting);
        switch (reply) {
            case Reply::Taken:
                return Start::HandedOver;
            case Reply::SomeNotImages:
                return Start::SomeNotImages;
            case Reply::NoImages:
                return Start::NoImages;
            case Reply::NotAdded:
                return Start::NotAdded;
            case Reply::Refused:
                return Start::Refused;
            case Reply::EndedOrGone:
            case Reply::Silent:
            case Reply::NoListener:
                break;
        }
        if (guard.outcome == InstanceLock::Outcome::Unavailable && reply == Reply::NoListener) {
            std::fprintf(stderr,
                         "Vorta cannot take its instance lock (%s); it runs unguarded, and another start on "
                         "these settings may run beside it.\n",
                         guard.error.c_str());
            unguarded_ = true;
            return Start::Application;
        }
        if (Clock::now() >= deadline) return toldWaiting ? Start::NotEnded : Start::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryPauseMilliseconds));
    }
}

InstanceChannel::Reply InstanceChannel::handOnce(const std::vector<std::string>& socketPaths,
                                                 const QByteArray& message,
                                                 std::chrono::steady_clock::time_point deadline,
                                                 std::chrono::milliseconds patience, bool& toldWaiting) {
    using Clock = std::chrono::steady_clock;
    // Once the application said it holds the files, it is alive while it keeps saying so: its answer
    // is waited for however long the files wait there (for the welcome pages, a question), but an
    // application that falls silent is given up on after the patience.
    std::optional<Clock::time_point> heldAt;
    const auto slice = [&] {
        const auto until = heldAt ? *heldAt + patience : deadline;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        return static_cast<int>(std::clamp<qint64>(left, 0, kSliceMilliseconds));
    };
    QLocalSocket socket;
    const auto connected = [&](const std::string& path) {
        socket.connectToServer(QString::fromStdString(path));
        if (socket.waitForConnected(std::min(kConnectMilliseconds, std::max(slice(), 1)))) return true;
        socket.abort();
        return false;
    };
    if (std::none_of(socketPaths.begin(), socketPaths.end(), connected)) return Reply::NoListener;
    socket.write(message);
    while (socket.bytesToWrite() > 0 && slice() > 0 && socket.waitForBytesWritten(slice())) {
    }
    while (true) {
        char reply = 0;
        while (!socket.getChar(&reply)) {
            if (socket.state() != QLocalSocket::ConnectedState) return Reply::EndedOrGone;
            if (slice() == 0) return Reply::Silent;
            socket.waitForReadyRead(slice());
        }
        switch (reply) {
            case kTaken:
                return Reply::Taken;
            case kSomeNotImages:
                return Reply::SomeNotImages;
            case kNoImages:
                return Reply::NoImages;
            case kNotAdded:
                return Reply::NotAdded;
            case kRefused:
                return Reply::Refused;
            case kHeld:
                heldAt = Clock::now();
                break;
            case kEnding:
                if (!toldWaiting)
                    std::fprintf(stderr, "Vorta is quitting; the files open once it has ended.\n");
                toldWaiting = true;
                // The connection closes as the application ends; past the patience it is given up on.
                heldAt.reset();
                while (socket.state() != QLocalSocket::UnconnectedState && slice() > 0)
                    socket.waitForDisconnected(slice());
                return Reply::EndedOrGone;
            default:
                return Reply::Silent;
        }
    }
}

bool InstanceChannel::listen() {
    if (!holdsLock() && !unguarded_) return false;
    if (server_) return server_->isListening();
    server_ = new QLocalServer(this);
    const QString name = QString::fromStdString(socketPath_);
    if (holdsLock()) server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock beside the socket, no other instance binds its path: a socket file there was
    // left by one that crashed. Without it (unguarded, or where only the settings lock could be
    // taken), a socket file there may be another application's: binding to the path itself fails
    // rather than replace it (the runtime folder is the user's alone).
    if (socketLock_) QLocalServer::removeServer(name);
    if (!server_->listen(name)) return false;
    for (auto* lock : {&settingsLock_, &socketLock_})
        if (*lock) (*lock)->setNote(socketPath_);
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
    const auto paths = acceptedPaths(message.toStdString());
    if (!paths) {
        // More than this instance takes at once: taking some would leave the rest in no list.
        socket->putChar(kRefused);
        socket->disconnectFromServer();
        return;
    }
    const std::uint64_t ticket = filesReceived ? filesReceived(*paths) : 0;
    const auto fate = fateOf ? fateOf(ticket) : std::optional(HandOverFate::Listed);
    if (fate) {
        socket->putChar(replyFor(*fate));
        socket->flush();
        return;
    }
    // The files are gathered (or wait for a question): the start hears once they are in the list,
    // or, should this instance end first, that it is ending.
    socket->putChar(kHeld);
    socket->flush();
    waiting_.push_back({socket, ticket, std::chrono::steady_clock::now()});
    waitingPoll_.start();
}

void InstanceChannel::applicationHasEnded() {
    filesReceived = nullptr;
    fateOf = nullptr;
    startWent = nullptr;
    isEnding = [] { return true; };
    answerWaiting();
}

void InstanceChannel::answerWaiting() {
    const bool ending = isEnding && isEnding();
    const auto now = std::chrono::steady_clock::now();
    std::erase_if(waiting_, [&](Waiting& w) {
        if (!w.socket) {
            if (startWent) startWent(w.ticket);
            return true;
        }
        const auto fate = ending || !fateOf ? std::nullopt : fateOf(w.ticket);
        if (ending) {
            w.socket->putChar(kEnding);
        } else if (fate) {
            w.socket->putChar(replyFor(*fate));
        } else {
            if (now - w.toldAt >= kHeldEvery) {
                w.socket->putChar(kHeld);
                w.socket->flush();
                w.toldAt = now;
            }
            return false;
        }
        w.socket->flush();
        return true;
    });
    if (waiting_.empty()) waitingPoll_.stop();
}

std::optional<std::vector<std::string>> InstanceChannel::acceptedPaths(const std::string& message) {
    std::vector<std::string> paths;
    std::set<std::string> seen;
    std::size_t start = 0;
    while (start < message.size()) {
        const std::size_t end = std::min(message.find('\n', start), message.size());
        const std::string line = message.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.front() != '/' || line.find('\0') != std::string::npos) continue;
        const std::filesystem::path path = std::filesystem::path(line).lexically_normal();
        if (!isOpenable(path) || !seen.insert(path.string()).second) continue;
        if (paths.size() == kMostPaths) return std::nullopt;
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
