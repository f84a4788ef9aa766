// Starting the real executable again: a second start hands its files to the running one and ends
// once they are listed; after a crash, the socket file left behind does not stop the next start.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>

#include "Core/TestImages.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Support/OtherUser.h"
#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::kNobody;

class SecondStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        env.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        writeSettings();
    }
    // Past the welcome pages, whose first run holds opened files until the tabs are there.
    void writeSettings() {
        const auto settings = dir / "config/Vorta/settings.json";
        fs::create_directories(settings.parent_path());
        foundation::UserDefaults s(settings);
        s.set("isShowFirst", foundation::PlistValue(std::int64_t{1}));
        ASSERT_TRUE(s.synchronize());
    }
    void TearDown() override {
        for (auto& p : started)
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                p->waitForFinished(5000);
            }
    }
    QProcess& launch(const QStringList& arguments = {}, const QProcessEnvironment& with = {}) {
        started.push_back(std::make_unique<QProcess>());
        QProcess& p = *started.back();
        p.setProcessEnvironment(with.isEmpty() ? env : with);
        if (asAnotherUser) {
            p.setChildProcessModifier([] {
                if (!testsupport::becomeNobody()) ::_exit(126);
            });
            // Not the folder the test runs in, which may be closed to them.
            p.setWorkingDirectory(QString::fromStdString((dir / "home").string()));
        }
        p.start(QString::fromStdString(program.string()), arguments);
        EXPECT_TRUE(p.waitForStarted(5000));
        return p;
    }
    // The socket file of the instance, once one listens.
    std::optional<fs::path> socketFile(int waitMs = 10000) {
        for (int waited = 0; waited < waitMs; waited += 20) {
            for (const auto& e : fs::directory_iterator(runtime))
                if (e.path().filename().string().starts_with("vorta-") && e.is_socket()) return e.path();
            QThread::msleep(20);
        }
        return std::nullopt;
    }
    // The settings (past the welcome pages) and runtime folders afresh, nothing running on them, all
    // the children's own.
    void resetPlace() {
        for (const fs::path& folder : {dir / "config", runtime, dir / "runtime2", dir / "home"}) {
            fs::remove_all(folder);
            fs::create_directories(folder);
        }
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        fs::permissions(dir / "runtime2", fs::perms::owner_all, fs::perm_options::replace);
        writeSettings();
        env.insert("HOME", QString::fromStdString((dir / "home").string()));
        env.insert("XDG_CACHE_HOME", QString::fromStdString((dir / "home/cache").string()));
        env.insert("XDG_DATA_HOME", QString::fromStdString((dir / "home/data").string()));
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::replace);
        for (const fs::path& folder : {dir / "config", runtime, dir / "runtime2", dir / "home"})
            giveToChild(folder);
    }
    void giveToChild(const fs::path& root) {
        if (!asAnotherUser) return;
        ASSERT_EQ(::lchown(root.c_str(), kNobody, kNobody), 0);
        if (!fs::is_directory(fs::symlink_status(root))) return;
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            ASSERT_EQ(::lchown(e.path().c_str(), kNobody, kNobody), 0);
        }
    }
    // Whether `p` has ended, waiting up to `ms` for it (already ended counts too).
    static bool ends(QProcess& p, int ms) {
        p.waitForFinished(ms);
        return p.state() == QProcess::NotRunning;
    }
    // The build may lie where the user nobody may not go (root's home, a folder of mode 0700): the children
    // run a copy of the program, its resources beside it as it looks for them, in the test's folder.
    void copyProgramForChildren() {
        const fs::path built = foundation::executableDirectory();
        const fs::path copy = dir / "program";
        fs::create_directories(copy / "bin");
        fs::create_directories(copy / "share");
        fs::copy_file(built / "vorta", copy / "bin/vorta");
        fs::copy(built.parent_path() / "share/vorta", copy / "share/vorta", fs::copy_options::recursive);
        // Whatever modes the umask gave the build and the copy: folders and the program for all to
        // enter and run, the rest for all to read.
        const auto all = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                         fs::perms::others_read | fs::perms::others_exec;
        const auto readable =
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read;
        fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                        fs::perm_options::replace);
        fs::permissions(copy, all, fs::perm_options::replace);
        for (const auto& e : fs::recursive_directory_iterator(copy))
            fs::permissions(e.path(), e.is_directory() ? all : readable, fs::perm_options::replace);
        program = copy / "bin/vorta";
        fs::permissions(program, all, fs::perm_options::replace);
    }
    bool answers(const fs::path& socket) {
        QLocalSocket probe;
        probe.connectToServer(QString::fromStdString(socket.string()));
        return probe.waitForConnected(1000);
    }

    testsupport::TempDir dir{testsupport::placeNobodyReaches()};
    fs::path runtime = dir / "runtime";
    fs::path program = foundation::executableDirectory() / "vorta";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> started;
    // The children run as the user nobody (whom modes bind) when the test runs as root.
    bool asAnotherUser = false;
};

TEST_F(SecondStartTest, ASecondStartHandsOverAndEndsAndACrashLeavesNothingThatBlocks) {
    QProcess& first = launch();
    const auto socket = socketFile();
    ASSERT_TRUE(socket) << "the running instance listens";
    const auto perms = fs::status(*socket).permissions();
    EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none)
        << "the socket is the user's alone";

    const auto photo = dir / "in" / "photo.jpg";
    testsupport::writeTestImage(photo, 200, 100, 1);
    QProcess& second = launch({QString::fromStdString(photo.string())});
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second start ends once the photo is listed";
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    // A crash: the socket file stays with nobody behind it.
    first.kill();
    ASSERT_TRUE(first.waitForFinished(5000));
    ASSERT_TRUE(fs::exists(*socket));
    EXPECT_FALSE(answers(*socket));

    QProcess& next = launch();
    QThread::msleep(1500);
    EXPECT_EQ(next.state(), QProcess::Running) << "the next start runs as the instance";
    ASSERT_TRUE(socketFile());
    EXPECT_TRUE(answers(*socket));
}

// The lock that makes one process the application lives with the settings: a start whose environment
// names another runtime folder (none at all, from su or ssh) still finds the running one. A start
// whose files the application holds (for its welcome pages) waits as long as it keeps saying so, and
// gives up, saying why, once it falls silent.
TEST_F(SecondStartTest, StartsOnOneSettingsFolderMeetWhateverTheirRuntimeFolderAndGiveUpOnlyOnSilence) {
    const auto photo = dir / "in" / "photo.jpg";
    testsupport::writeTestImage(photo, 200, 100, 1);
    QProcess& first = launch();
    ASSERT_TRUE(socketFile()) << "the running instance listens";
    QProcessEnvironment elsewhere = env;
    elsewhere.remove("XDG_RUNTIME_DIR");
    QProcess& second = launch({QString::fromStdString(photo.string())}, elsewhere);
    ASSERT_TRUE(second.waitForFinished(10000)) << "the start without a runtime folder hands over";
    EXPECT_EQ(second.exitCode(), 0);
    first.terminate();
    ASSERT_TRUE(first.waitForFinished(10000));

    // A first run: the welcome pages hold the opened photo.
    fs::remove(dir / "config/Vorta/settings.json");
    QProcess& welcoming = launch();
    ASSERT_TRUE(socketFile());
    QProcessEnvironment impatient = env;
    impatient.insert("VORTA_HANDOFF_PATIENCE_MS", "1500");
    QProcess& waiting = launch({QString::fromStdString(photo.string())}, impatient);
    EXPECT_FALSE(waiting.waitForFinished(4000)) << "held files are waited for past the patience";
    ::kill(static_cast<pid_t>(welcoming.processId()), SIGSTOP);
    EXPECT_TRUE(waiting.waitForFinished(10000)) << "a silent application is given up on";
    ::kill(static_cast<pid_t>(welcoming.processId()), SIGCONT);
    EXPECT_EQ(waiting.exitCode(), 1);
    EXPECT_TRUE(waiting.readAllStandardError().contains("did not answer"));
}

// Whatever state the lock file is in, starts on one settings folder make one application: three at
// once give one that runs and two that hand their photos to it. A lock that stays with the settings
// (a file taken read-only) also keeps a start from another runtime folder from running beside it.
// Where neither the lock file nor the one beside the socket can be locked, a start hands its photo to
// the application that answers before it would run unguarded. The children run as another user when
// the test runs as root, whom modes and owners do not bind.
TEST_F(SecondStartTest, StartsOnOneSettingsFolderMakeOneApplicationWhateverStateTheLockFileIsIn) {
    const bool asAnother = ::geteuid() == 0;
    const auto vorta = dir / "config/Vorta";
    const auto lock = vorta / "instance.lock";
    const auto writeNote = [&](const fs::path& file) {
        // An old holder's note, naming a socket nobody listens on.
        std::ofstream(file) << (dir / "gone/vorta.socket").string();
    };
    struct Case {
        const char* state;
        std::function<void()> make;
        bool needsAnotherUser;  // a mode or owner that binds only a user who is not root
        bool lockStaysWithSettings;
    };
    const std::vector<Case> cases{
        {"a lock file the user may only read",
         [&] {
             writeNote(lock);
             giveToChild(lock);
             fs::permissions(lock, fs::perms::owner_read, fs::perm_options::replace);
         },
         true, true},
        {"a lock file root left readable (sudo -E)",
         [&] {
             writeNote(lock);
             fs::permissions(lock,
                             fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                 fs::perms::others_read,
                             fs::perm_options::replace);
         },
         true, true},
        {"a lock file root left as its own (sudo -E)",
         [&] {
             writeNote(lock);
             fs::permissions(lock, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
         },
         true, false},
        {"a settings folder that takes no file",
         [&] {
             // Root's, as it was made; the settings in it can still be read.
             ASSERT_EQ(::chown(vorta.c_str(), 0, 0), 0);
             ASSERT_EQ(::chown((vorta / "settings.json").c_str(), 0, 0), 0);
             const auto readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
             fs::permissions(vorta,
                             readable | fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec,
                             fs::perm_options::replace);
             fs::permissions(vorta / "settings.json", readable, fs::perm_options::replace);
         },
         true, false},
        {"a link at the lock's path", [&] { fs::create_symlink(dir / "elsewhere", lock); }, false, false},
        {"a folder at the lock's path",
         [&] {
             // The user's own, which they may open to lock whatever mode the umask gave it.
             fs::create_directory(lock);
             giveToChild(lock);
         },
         false, true},
    };
    const auto photo = [&](const std::string& name) {
        const auto path = dir / "in" / name;
        if (!fs::exists(path)) testsupport::writeTestImage(path, 200, 100, 1);
        giveToChild(dir / "in");
        return QStringList{QString::fromStdString(path.string())};
    };
    const auto stop = [&](QProcess& p) {
        p.terminate();
        EXPECT_TRUE(ends(p, 10000));
    };
    if (asAnother) {
        ASSERT_NO_FATAL_FAILURE(copyProgramForChildren());
        if (!testsupport::nobodyMay(program, X_OK))
            GTEST_SKIP() << "the user nobody, whom the children run as, may not run " << program
                         << " (no shared temporary folder lets them)";
    }
    asAnotherUser = asAnother;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        if (c.needsAnotherUser && !asAnother) {
            // Modes and owners bind only another user, and only root may start the children as one.
            std::cout << "skipped \"" << c.state
                      << "\": it needs the children to run as another user, which only "
                      << "a test run as root can do" << std::endl;
            continue;
        }
        resetPlace();
        c.make();
        std::vector<QProcess*> three{&launch(photo("a.jpg")), &launch(photo("b.jpg")),
                                     &launch(photo("c.jpg"))};
        QProcess* application = nullptr;
        for (int waited = 0; waited < 30000 && !application; waited += 20) {
            std::vector<QProcess*> running;
            for (QProcess* p : three)
                if (!ends(*p, 5)) running.push_back(p);
            if (running.size() == 1) application = running.front();
        }
        ASSERT_NE(application, nullptr) << "not one application of three starts";
        for (QProcess* p : three)
            if (p != application) {
                EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
            }
        EXPECT_FALSE(application->waitForFinished(1000)) << "the application runs on";
        if (c.lockStaysWithSettings) {
            QProcessEnvironment elsewhere = env;
            elsewhere.insert("XDG_RUNTIME_DIR", QString::fromStdString((dir / "runtime2").string()));
            elsewhere.insert("VORTA_HANDOFF_PATIENCE_MS", "1500");
            QProcess& other = launch(photo("d.jpg"), elsewhere);
            EXPECT_TRUE(ends(other, 20000)) << "a start from another runtime folder runs beside it";
            EXPECT_EQ(other.exitCode(), 1);
        }
        stop(*application);
    }

    // The lock file changes while an application runs on it: a start that can open it no more, or
    // that can open it now, still hands its photo over, and the application's socket stays.
    struct Change {
        const char* what;
        std::function<void()> before;  // the lock's path as the application starts
        std::function<void()> after;   // and as the next start finds it
    };
    const auto linkAtLock = [&] { fs::create_symlink(dir / "elsewhere", lock); };
    const std::vector<Change> changes{
        {"the lock file turns into a link", [] {},
         [&] {
             fs::remove(lock);
             linkAtLock();
         }},
        {"a link at the lock's path goes", linkAtLock, [&] { fs::remove(lock); }},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(c.what);
        resetPlace();
        c.before();
        QProcess& application = launch();
        const auto socket = socketFile();
        ASSERT_TRUE(socket);
        c.after();
        QProcess& next = launch(photo("a.jpg"));
        EXPECT_TRUE(ends(next, 30000)) << "a second application runs";
        EXPECT_EQ(next.exitCode(), 0) << next.readAllStandardError().toStdString();
        EXPECT_FALSE(ends(application, 500)) << "the application runs on";
        EXPECT_TRUE(answers(*socket)) << "the application's socket is gone";
        stop(application);
        stop(next);
    }

    // Neither lock: the lock's path is a link, and so is the file beside the socket that stood in for it.
    resetPlace();
    fs::create_symlink(dir / "elsewhere", lock);
    QProcess& first = launch();
    ASSERT_TRUE(socketFile());
    stop(first);
    std::optional<fs::path> besideSocket;
    for (const auto& e : fs::directory_iterator(runtime))
        if (e.path().extension() == ".lock") besideSocket = e.path();
    ASSERT_TRUE(besideSocket) << "the lock beside the socket stood in for the settings folder's";
    struct stat made {};
    ASSERT_EQ(::stat(besideSocket->c_str(), &made), 0);
    EXPECT_EQ(made.st_uid, asAnother ? kNobody : ::geteuid()) << "the children ran as whom the test says";
    fs::remove(*besideSocket);
    fs::create_symlink(dir / "elsewhere", *besideSocket);
    QProcess& unguarded = launch();
    ASSERT_TRUE(socketFile());
    QProcess& a = launch(photo("a.jpg"));
    QProcess& b = launch(photo("b.jpg"));
    ASSERT_TRUE(ends(a, 30000)) << "a start ran beside the unguarded application";
    ASSERT_TRUE(ends(b, 30000)) << "a start ran beside the unguarded application";
    EXPECT_EQ(a.exitCode(), 0);
    EXPECT_EQ(b.exitCode(), 0);
    EXPECT_FALSE(unguarded.waitForFinished(500));
    stop(unguarded);
    EXPECT_TRUE(unguarded.readAllStandardError().contains("runs unguarded"));
}

}  // namespace
