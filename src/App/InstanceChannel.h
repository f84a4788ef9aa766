#pragma once
// InstanceChannel: one running Vorta per settings folder, always. The application is the process that
// holds the instance lock (a file lock in the settings folder, whatever runtime folder a start's
// environment names) for as long as it lives; only it binds the local socket in the user's runtime
// folder (a folder only the user can enter; the socket itself is the user's alone), names it in the
// lock file for later starts, and only it removes it, so a live instance's socket is never replaced or
// removed by another. While files it was handed wait for its list, it tells their start so every
// second: a start gives up only on an application that stopped answering. A later start hands its files to
// the application and exits once they are in the application's list. An application that is ending takes
// nothing: it says so and keeps the connection until it is gone, so the later start waits for it and then
// starts as the application itself, with its files; files handed over but not yet in the list when the ending
// begins go the same way. A start whose files no instance takes (the application does not answer within the
// start's patience) says so and ends with an error; it never runs as a second application.
// The listening side takes from a message only lines that are absolute paths of existing files or
// folders, at most a bounded number of them, and only ever treats them as files to open. Main
// thread only.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "App/InstanceLock.h"

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    // `lockPath` empty: the socket's path with ".lock" appended.
    explicit InstanceChannel(std::string socketPath, std::string lockPath = {}, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket of the user's running instance, in the user's runtime folder, named for the
    // settings folder the instance runs on.
    static std::string defaultSocketPath();
    // The instance lock, in the settings folder.
    static std::string defaultLockPath();

    enum class Start {
        Application,  // this process holds the instance lock: it is the application, and listens
                      // once its callbacks are set (listen())
        HandedOver,   // the application took the files into its list: the caller exits
        Refused,      // the application cannot take a message this long: the caller says so
        NoAnswer,     // an application lives but did not answer within the patience
        NotEnded      // the application said it was ending but had not ended within the patience
    };
    // Makes this process the application when none lives, or hands `paths` to the one that lives. One that is
    // ending is waited for, and this process follows it (a line on standard error says so). `patience` bounds
    // how long an application that neither answers nor ends is waited for, and how long one that holds the
    // files may go without a word. Where no lock can be made at all (a settings folder that takes no
    // file), this process runs as the application without the channel, and says so.
    Start start(const std::vector<std::string>& paths, std::chrono::milliseconds patience);
    // Binds the socket, once this process is the application and can take files: until then later
    // starts find it silent and look again. False when the socket cannot be made (the application
    // runs on, and later starts say it does not answer).
    bool listen();
    bool isListening() const;

    // Called for each later start with the existing files and folders it handed over, in its order
    // (none when it was started without files); returns the ticket of the hand-over.
    std::function<std::uint64_t(const std::vector<std::string>&)> filesReceived;
    // The hand-overs are in the list up to this ticket: their starts are told the files are taken.
    std::function<std::uint64_t()> filesTaken;
    // Whether this instance is ending; from then on hand-overs, and those whose files are not in the
    // list yet, are answered so and held until it is gone.
    std::function<bool()> isEnding;
    // The application's event loop has ended: every start waiting, and every later one, is told at
    // once that it is ending.
    void applicationHasEnded();

    // The paths of a received message that may be opened: absolute, existing files or folders,
    // without duplicates, at most kMostPaths. Pure; any thread.
    static std::vector<std::string> acceptedPaths(const std::string& message);
    static constexpr std::size_t kMostPaths = 10000;
    static constexpr std::size_t kLongestMessage = 4 * 1024 * 1024;

  private:
    enum class Reply { Taken, Refused, EndedOrGone, Silent };
    // One hand-over to the application listening now.
    Reply handOnce(const std::string& socketPath, const QByteArray& message,
                   std::chrono::steady_clock::time_point deadline, std::chrono::milliseconds patience,
                   bool& toldWaiting);
    void takeConnection();
    // A whole message has come on `socket`: its files are taken, or refused while ending.
    void answer(QLocalSocket* socket, const QByteArray& message);
    // Tells the starts whose files were waiting what became of them.
    void answerWaiting();

    std::string socketPath_;
    std::string lockPath_;
    std::optional<InstanceLock> lock_;
    QLocalServer* server_ = nullptr;
    struct Waiting {
        QPointer<QLocalSocket> socket;
        std::uint64_t ticket = 0;
        std::chrono::steady_clock::time_point toldAt;  // when the start last heard it is held
    };
    std::vector<Waiting> waiting_;
    QTimer waitingPoll_;
};

// The files a start was given: its arguments that name existing files or folders (file:// addresses
// too), made absolute.
std::vector<std::string> openedPathsFromArguments(const QStringList& arguments);
