// Starting the real executable again: a second start hands its files to the running one and ends
// once they are listed; after a crash, the socket file left behind does not stop the next start.

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <filesystem>

#include "Core/TestImages.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Support/TempDir.h"

namespace {

namespace fs = std::filesystem;

class SecondStartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(runtime);
        fs::permissions(runtime, fs::perms::owner_all, fs::perm_options::replace);
        env.insert("XDG_CONFIG_HOME", QString::fromStdString((dir / "config").string()));
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // Past the welcome pages, whose first run holds opened files until the tabs are there.
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
        p.start(QString::fromStdString((foundation::executableDirectory() / "vorta").string()), arguments);
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
    bool answers(const fs::path& socket) {
        QLocalSocket probe;
        probe.connectToServer(QString::fromStdString(socket.string()));
        return probe.waitForConnected(1000);
    }

    testsupport::TempDir dir;
    fs::path runtime = dir / "runtime";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> started;
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

// Where the settings folder takes no lock file, Vorta still runs, and says it takes no files from
// later starts.
TEST_F(SecondStartTest, ASettingsFolderThatTakesNoLockStillLetsVortaRun) {
    fs::create_directories(dir / "config/Vorta/instance.lock");  // a folder where the lock file goes
    QProcess& only = launch();
    QByteArray said;
    for (int waited = 0; waited < 60000 && !said.contains("cannot make its instance lock"); waited += 100) {
        only.waitForReadyRead(100);
        said += only.readAllStandardError();
    }
    EXPECT_TRUE(said.contains("cannot make its instance lock")) << said.toStdString();
    EXPECT_EQ(only.state(), QProcess::Running) << "it runs";
}

}  // namespace
