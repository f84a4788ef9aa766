#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <csignal>

#include "Core/Records/DefaultPresets.h"
#include "Core/Records/PresetInfo.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/Bundle.h"
#include "ShellFixture.h"

using foundation::PlistValue;

namespace {

class TerminationTest : public testsupport::ShellTest {};

core::PresetInfo named(const std::string& name) {
    return core::PresetInfo{{"presetName", PlistValue(name)}, {"presetWidth", PlistValue(640.0)}};
}

std::vector<std::string> storedPresetNames(const foundation::UserDefaults& settings) {
    std::vector<std::string> names;
    for (const auto& preset : core::loadPresetList(settings)) names.push_back(core::presetName(preset));
    return names;
}

TEST_F(TerminationTest, ClosingTheMainWindowQuitsTheApplicationAndSavesThePresets) {
    prepareSettings([](foundation::UserDefaults& s) {
        s.set(core::kSavedPresetsKey, PlistValue(foundation::PlistArray{PlistValue(named("Web"))}));
    });
    start();
    core::sharedPresetList().append(named("Print"));
    QTimer::singleShot(0, &window(), [this] { window().close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(3); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << "closing the window ends the event loop";
    EXPECT_EQ(storedPresetNames(*storedSettings()), (std::vector<std::string>{"Web", "Print"}));
}

// The process's termination step on a signal: the real executable, its own settings folder.
bool signalHandlerInstalled(qint64 pid, int signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("SigCgt:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1)) & 1;
    return false;
}

// Runs the real executable on the settings under `config` until it has started up (its signal
// handler is in place), then stops it with `signal`; succeeds when it ends normally with code 0.
::testing::AssertionResult startAndStop(const std::filesystem::path& config, int signal) {
    const auto executable = foundation::executableDirectory() / "vorta";
    if (!std::filesystem::exists(executable)) return ::testing::AssertionFailure() << "no executable";
    QProcess vorta;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // The instance's socket and lock go with the settings, and with them when the test ends.
    const auto runtime = config / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    vorta.setProcessEnvironment(env);
    vorta.start(QString::fromStdString(executable.string()), {});
    if (!vorta.waitForStarted(5000)) return ::testing::AssertionFailure() << "the application does not start";
    for (int i = 0;
         i < 500 && vorta.state() == QProcess::Running && !signalHandlerInstalled(vorta.processId(), signal);
         ++i)
        QThread::msleep(10);
    if (vorta.state() != QProcess::Running)
        return ::testing::AssertionFailure() << "the application ended early";
    if (!signalHandlerInstalled(vorta.processId(), signal))
        return ::testing::AssertionFailure() << "the application did not finish starting";
    ::kill(static_cast<pid_t>(vorta.processId()), signal);
    if (!vorta.waitForFinished(10000)) return ::testing::AssertionFailure() << "the application does not end";
    if (vorta.exitStatus() != QProcess::NormalExit || vorta.exitCode() != 0)
        return ::testing::AssertionFailure() << "the application ended with code " << vorta.exitCode();
    return ::testing::AssertionSuccess();
}

TEST_F(TerminationTest, SigtermAndSigintRunTheTerminationStepOfTheRunningApplication) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        testsupport::TempDir config;
        const auto file = config / "Vorta/settings.json";
        {
            std::filesystem::create_directories(file.parent_path());
            foundation::UserDefaults s(file);
            s.set(core::kSavedPresetsKey,
                  PlistValue(foundation::PlistArray{PlistValue(named("Web")), PlistValue("broken"),
                                                    PlistValue(named("Mail"))}));
            s.set("isShowFirst", PlistValue(std::int64_t{1}));
            s.set("UD_SavingLocationData", PlistValue(foundation::Data{9}));
            s.set("UD_Allow_Portrait_Resize", PlistValue(true));
            ASSERT_TRUE(s.synchronize());
        }
        ASSERT_TRUE(startAndStop(config.path(), signal));

        foundation::UserDefaults stored(file);
        // The stored list was written again at the end: the element that was no preset is gone.
        const auto raw = stored.array(core::kSavedPresetsKey);
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->size(), 2u);
        EXPECT_EQ(storedPresetNames(stored), (std::vector<std::string>{"Web", "Mail"}));
        EXPECT_FALSE(stored.object("UD_SavingLocationData"));
        EXPECT_FALSE(stored.object("UD_Allow_Portrait_Resize"));
        EXPECT_EQ(stored.integer("isShowFirst"), 1);
        EXPECT_TRUE(stored.string("NSWindow Frame position"));
    }
}

TEST_F(TerminationTest, ASettingsFileNestedTooDeepIsKeptAsideAndTheApplicationStartsFromDefaults) {
    testsupport::TempDir config;
    const auto file = config / "Vorta/settings.json";
    std::filesystem::create_directories(file.parent_path());
    // A damaged or hostile file: 100,000 arrays inside one another.
    const std::string nested = "{\"isShowFirst\": 1, \"UD_SavedPresets_1\": " + std::string(100'000, '[') +
                               std::string(100'000, ']') + "}";
    config.write("Vorta/settings.json", nested);

    ASSERT_TRUE(startAndStop(config.path(), SIGTERM)) << "the application starts and ends normally";

    auto aside = file;
    aside += ".corrupt";
    EXPECT_EQ(testsupport::TempDir::read(aside), nested) << "the damaged file is kept as it was";
    // The new settings hold the built-in presets and none of the damaged file's values.
    foundation::UserDefaults stored(file);
    std::vector<std::string> builtIn;
    for (const auto& preset : core::defaultPresets()) builtIn.push_back(core::presetName(preset));
    EXPECT_EQ(storedPresetNames(stored), builtIn);
    EXPECT_NE(stored.integer("isShowFirst"), 1);
}

}  // namespace
