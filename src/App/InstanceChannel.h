#pragma once
// InstanceChannel: one running Vorta per user. The first start listens on a local socket in the
// user's runtime folder (a folder only the user can enter; the socket itself is the user's alone);
// a later start hands its files to it and exits. A socket file left behind by a crashed instance is
// found dead and replaced, so it never blocks a start. The listening side takes from a message only
// lines that are absolute paths of existing files or folders, at most a bounded number of them, and
// only ever treats them as files to open. Main thread only.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

class QLocalServer;

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    explicit InstanceChannel(std::string socketPath, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket of the user's running instance, in the user's runtime folder, named for the
    // settings folder the instance runs on.
    static std::string defaultSocketPath();

    // True when a running instance took `paths` (the caller then exits); false when none runs.
    bool handOff(const std::vector<std::string>& paths);
    // Starts listening (replacing a dead socket); false when the socket cannot be made.
    bool listen();
    bool isListening() const;

    // Called for each later start with the existing files and folders it handed over, in its order
    // (none when it was started without files).
    std::function<void(const std::vector<std::string>&)> filesReceived;

    // The paths of a received message that may be opened: absolute, existing files or folders,
    // without duplicates, at most kMostPaths. Pure; any thread.
    static std::vector<std::string> acceptedPaths(const std::string& message);
    static constexpr std::size_t kMostPaths = 10000;
    static constexpr std::size_t kLongestMessage = 4 * 1024 * 1024;

  private:
    void takeConnection();

    std::string socketPath_;
    QLocalServer* server_ = nullptr;
};

// The files a start was given: its arguments that name existing files or folders (file:// addresses
// too), made absolute.
std::vector<std::string> openedPathsFromArguments(const QStringList& arguments);
