#pragma once
// InstanceChannel: one running Vorta per user. The first start listens on a local socket in the
// user's runtime folder (a folder only the user can enter; the socket itself is the user's alone);
// a later start hands its files to it and exits once the running one has said it took them. An
// instance that is ending takes nothing: it says so and keeps the connection until it is gone, so
// the later start waits for it and then starts as the application itself, with its files. A socket
// file left behind by a crashed instance is found dead and replaced, so it never blocks a start.
// The listening side takes from a message only lines that are absolute paths of existing files or
// folders, at most a bounded number of them, and only ever treats them as files to open. Main
// thread only.

#include <QObject>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit InstanceChannel(std::string socketPath, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket of the user's running instance, in the user's runtime folder, named for the
    // settings folder the instance runs on.
    static std::string defaultSocketPath();

    enum class HandOff {
        Taken,     // the running instance took the files: the caller exits
        NoneRuns,  // no instance runs (any more): the caller becomes the application
        Refused    // the running instance cannot take a message this long: the caller says so
    };
    // Hands `paths` to the running instance. One that is ending is waited for, `patience` at most
    // (past it the caller becomes the application all the same); a line on standard error says so.
    HandOff handOff(const std::vector<std::string>& paths,
                    std::chrono::milliseconds patience = std::chrono::minutes(2));
    // Starts listening (replacing a dead socket); false when the socket cannot be made, or when
    // another instance listens on it by now (hand the files to it instead).
    bool listen();
    bool isListening() const;

    // Called for each later start with the existing files and folders it handed over, in its order
    // (none when it was started without files).
    std::function<void(const std::vector<std::string>&)> filesReceived;
    // Whether this instance is ending; from then on hand-overs are refused and held until it is gone.
    std::function<bool()> isEnding;

    // The paths of a received message that may be opened: absolute, existing files or folders,
    // without duplicates, at most kMostPaths. Pure; any thread.
    static std::vector<std::string> acceptedPaths(const std::string& message);
    static constexpr std::size_t kMostPaths = 10000;
    static constexpr std::size_t kLongestMessage = 4 * 1024 * 1024;

  private:
    void takeConnection();
    // A whole message has come on `socket`: its files are taken, or refused while ending.
    void answer(QLocalSocket* socket, const QByteArray& message);

    std::string socketPath_;
    QLocalServer* server_ = nullptr;
};

// The files a start was given: its arguments that name existing files or folders (file:// addresses
// too), made absolute.
std::vector<std::string> openedPathsFromArguments(const QStringList& arguments);
