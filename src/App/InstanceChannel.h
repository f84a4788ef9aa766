#pragma once
// InstanceChannel: one running Vorta per settings folder, always. The application is the process that
// holds the instance lock (a file lock in the settings folder, whatever runtime folder a start's
// environment names) for as long as it lives; only it binds the local socket in the user's runtime
// folder (a folder only the user can enter; the socket itself is the user's alone), names it in the
// lock file for later starts, and only it removes it, so a live instance's socket is never replaced or
// removed by another. A lock file that cannot be opened for writing is locked read-only. The application
// also holds a lock file beside the socket, named, as the socket is, for the settings folder: it guards
// the socket's path (a start that finds it held hands over, whatever lock it took itself; only its holder
// removes a socket file left there), and stands in for a settings lock file that cannot be opened at all.
// Only where neither can be locked does a start run unguarded, and only once no application
// answered on the socket. While files it was handed wait for its list, it tells their start so every
// second: a start gives up only on an application that stopped answering. A later start hands its files to
// the application and exits once it hears what became of them: in the list, not images, or let go. An
// application that is ending takes nothing: it says so and keeps the connection until it is gone, so the
// later start waits for it and then starts as the application itself, with its files; files handed over
// but not yet in the list when the ending begins go the same way. A start whose files no instance takes
// (the application does not answer within the start's patience) says so and ends with an error; it never
// runs as a second application.
// The listening side takes from a message only lines that are absolute paths of existing files or
// folders, at most a bounded number of them (a message with more is refused whole), and only ever
// treats them as files to open. Main thread only.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "App/HandOverFate.h"
#include "App/InstanceLock.h"

class QLocalServer;
class QLocalSocket;

class InstanceChannel : public QObject {
    Q_OBJECT
  public:
    // `lockPath` empty: the socket's path with ".lock" appended, which is also where the lock goes when
    // `lockPath` cannot be opened.
    explicit InstanceChannel(std::string socketPath, std::string lockPath = {}, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The socket of the user's running instance, in the user's runtime folder, named for the
    // settings folder the instance runs on (its canonical path: every way of naming it meets there).
    static std::string defaultSocketPath();
    // The instance lock, in the settings folder.
    static std::string defaultLockPath();

    enum class Start {
        Application,    // this process holds the instance lock: it is the application, and listens
                        // once its callbacks are set (listen())
        HandedOver,     // the application took the files into its list: the caller exits
        SomeNotImages,  // it listed the images among them; the other files are not images it takes
        NoImages,       // none of the files is an image it takes: it added nothing
        NotAdded,       // it let the files go (its job was kept running): they are in no list
        Refused,        // the application cannot take this many files at once: the caller says so
        NoAnswer,       // an application lives but did not answer within the patience
        NotEnded        // the application said it was ending but had not ended within the patience
    };
    // Makes this process the application when none lives, or hands `paths` to the one that lives. One that is
    // ending is waited for, and this process follows it (a line on standard error says so). `patience` bounds
    // how long an application that neither answers nor ends is waited for, and how long one that holds the
    // files may go without a word. Where no lock can be taken at all, this process hands its files to
    // an application that answers on the socket, or else runs as the application unguarded, and says so.
    Start start(const std::vector<std::string>& paths, std::chrono::milliseconds patience);
    // Binds the socket, once this process is the application and can take files: until then later
    // starts find it silent and look again. False when the socket cannot be made (the application
    // runs on, and later starts say it does not answer); unguarded, a socket file already there is
    // left alone.
    bool listen();
    bool isListening() const;

    // Called for each later start with the existing files and folders it handed over, in its order
    // (none when it was started without files); returns the ticket of the hand-over.
    std::function<std::uint64_t(const std::vector<std::string>&)> filesReceived;
    // What became of the files of the hand-over with this ticket; nothing while they are on their way.
    std::function<std::optional<HandOverFate>(std::uint64_t ticket)> fateOf;
    // The start waiting on the hand-over with this ticket went before it was told: nobody asks again.
    std::function<void(std::uint64_t ticket)> startWent;
    // Whether this instance is ending; from then on hand-overs, and those whose files are not in the
    // list yet, are answered so and held until it is gone.
    std::function<bool()> isEnding;
    // The application's event loop has ended: every start waiting, and every later one, is told at
    // once that it is ending.
    void applicationHasEnded();

    // The paths of a received message that may be opened: absolute, existing files or folders,
    // without duplicates; nothing when there are more than kMostPaths. Pure; any thread.
    static std::optional<std::vector<std::string>> acceptedPaths(const std::string& message);
    static constexpr std::size_t kMostPaths = 10000;
    static constexpr std::size_t kLongestMessage = 4 * 1024 * 1024;

  private:
    enum class Reply { Taken, SomeNotImages, NoImages, NotAdded, Refused, EndedOrGone, Silent, NoListener };
    // The lock on `lockPath_` and the one beside the socket, both taken where they can be opened; an
    // application holding the latter is Held, whichever else this start could take.
    struct Guard {
        InstanceLock::Outcome outcome = InstanceLock::Outcome::Held;
        std::string path;   // the lock file taken (the settings one when both are) or held by another
        std::string error;  // why neither could be locked
    };
    Guard takeLock();
    // One hand-over to the application listening now on the first of `socketPaths` that answers.
    Reply handOnce(const std::vector<std::string>& socketPaths, const QByteArray& message,
                   std::chrono::steady_clock::time_point deadline, std::chrono::milliseconds patience,
                   bool& toldWaiting);
    void takeConnection();
    // A whole message has come on `socket`: its files are taken, or refused while ending.
    void answer(QLocalSocket* socket, const QByteArray& message);
    // Tells the starts whose files were waiting what became of them.
    void answerWaiting();

    std::string socketPath_;
    std::string lockPath_;
    std::string fallbackLockPath_;
    bool holdsLock() const { return settingsLock_ || socketLock_; }

    std::optional<InstanceLock> settingsLock_;  // the lock at `lockPath_`
    std::optional<InstanceLock> socketLock_;    // the lock beside the socket
    bool unguarded_ = false;                    // the application without any lock
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
