// Quitting while a job runs: the question, both answers, the quit with nothing running, and the
// real program quitting mid-job from its menu, on SIGTERM and when its event loop ends under the job,
// with a worker stuck on its file, with a thumbnail that never ends and while a big folder is
// collected, in child processes; what the quit stores (the presets, the stopped job's totals).

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <csignal>

#include "Core/Records/DefaultPresets.h"
#include "Core/Records/PresetInfo.h"
#include "Core/Records/PresetStore.h"
#include "Core/TestImages.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Foundation/Bundle.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/ExpectedJob.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "ShellFixture.h"
#include "Support/UiEvents.h"

namespace {

std::vector<std::string> writePhotos(const std::filesystem::path& folder, int count, int width, int height) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        const auto path = folder / ("photo" + std::to_string(i) + ".jpg");
        testsupport::writeTestImage(path, width, height, static_cast<unsigned>(i + 1));
        paths.push_back(path.string());
    }
    return paths;
}

// The files a job left below `folder`; every one must be a finished image, no temporary among them.
std::vector<std::filesystem::path> filesBelow(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (e.is_regular_file()) files.push_back(e.path());
    return files;
}

bool holdsAFile(const std::filesystem::path& folder) {
    return !filesBelow(folder).empty();
}

// The job was stopped before its end, and the files it was on were finished: whole images only.
void expectOnlyWholeImages(const std::filesystem::path& folder, std::size_t photos) {
    const auto files = filesBelow(folder);
    EXPECT_GE(files.size(), 1u);
    EXPECT_LT(files.size(), photos) << "the job was stopped, not run to its end";
    for (const auto& file : files) {
        EXPECT_NE(file.filename().string().front(), '.') << "a temporary was left: " << file;
        EXPECT_EQ(file.extension(), ".jpg") << file;
        EXPECT_TRUE(testsupport::decodesWhole(file)) << "not a whole image: " << file;
    }
}

QAction* quitAction(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        if (action->menuRole() == QAction::QuitRole) return action;
        if (action->menu())
            if (QAction* found = quitAction(action->menu()->actions())) return found;
    }
    return nullptr;
}

class QuitTest : public testsupport::ShellTest {
  protected:
    void startPastWelcome() {
        prepareSettings([](foundation::UserDefaults& s) {
            s.set("isShowFirst", foundation::PlistValue(std::int64_t{1}));
        });
        start();
        mainQueue->advance(0.5);
        drain();
        app->delegate().quitApplication = [this] { ++quits; };
    }
    PresetListForIOS* presetList() { return tabBar() ? tabBar()->firstChild<PresetListForIOS>() : nullptr; }
    // Drops `photos` on the first preset card, answering the output-folder question with `out`.
    static bool dropOnFirstPreset(PresetListForIOS& screen, const std::vector<std::string>& photos,
                                  const std::filesystem::path& out) {
        std::filesystem::create_directories(out);
        auto* cell = dynamic_cast<PresetCell*>(screen.collectionView->itemAtIndex(0));
        if (!cell) return false;
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
        return testsupport::dropFiles(cell->presetView, photos).dropAccepted;
    }
    void chooseQuit() {
        QAction* quit = quitAction(app->delegate().mainMenu->actions());
        ASSERT_NE(quit, nullptr);
        quit->trigger();
        drain();
    }
    QMessageBox* question() {
        for (auto* box : window().findChildren<QMessageBox*>())
            if (box->isVisible()) return box;
        return nullptr;
    }
    void answer(const QString& title) {
        QMessageBox* box = question();
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            if (button->text() == title) QTest::mouseClick(button, Qt::LeftButton);
        drain();
    }

    // Drops `photos` on the first preset; its first file is let through and its workers are held after
    // it, on their files: the job runs on through every step of the test. False when it never got there.
    bool startHeldJob(const std::vector<std::string>& photos, const std::filesystem::path& out) {
        PresetListForIOS* screen = presetList();
        if (!screen) return false;
        workerHold.emplace(1);
        if (!dropOnFirstPreset(*screen, photos, out)) return false;
        ActivityVC& activity = *screen->activityVC_Embedded;
        return mainQueue->runUntil(
            [&] {
                return activity.isActivityRunning() && dispatch::runningJobCount() > 0 && holdsAFile(out) &&
                       workerHold->holdsAWorker();
            },
            std::chrono::seconds(30));
    }

    int quits = 0;
};

TEST_F(QuitTest, QuittingWhileAJobRunsAsksAndOnlyStopAndQuitEndsTheJobAndTheApplication) {
    startPastWelcome();
    const auto photos = writePhotos(dir / "in", 4, 800, 600);
    const auto out = dir / "out";
    ASSERT_TRUE(startHeldJob(photos, out));
    ActivityVC& activity = *presetList()->activityVC_Embedded;

    // Closing the window asks; Keep Working keeps the window, the job and the application.
    window().close();
    drain();
    QMessageBox* box = question();
    ASSERT_NE(box, nullptr) << "closing the window while a job runs asks first";
    EXPECT_EQ(box->text(), "A job is running. Stop it and quit?");
    std::vector<QString> buttons;
    for (QAbstractButton* button : box->buttons()) buttons.push_back(button->text());
    EXPECT_EQ(buttons, (std::vector<QString>{"Stop and Quit", "Keep Working"}));
    answer("Keep Working");
    EXPECT_EQ(question(), nullptr);
    EXPECT_EQ(quits, 0);
    EXPECT_TRUE(window().isVisible());
    EXPECT_TRUE(activity.isActivityRunning());
    EXPECT_FALSE(activity.isGotCancel()) << "the job goes on";
    ASSERT_GT(dispatch::runningJobCount(), 0u) << "the job goes on";

    // The menu's Quit asks the same; Stop and Quit stops the job, lets its file finish, then quits.
    chooseQuit();
    ASSERT_NE(question(), nullptr) << "Quit while a job runs asks first";
    EXPECT_EQ(quits, 0);
    answer("Stop and Quit");
    EXPECT_TRUE(activity.isGotCancel());
    // While the job finishes its file the window stays drawn but starts nothing: only Quit is taken.
    EXPECT_FALSE(window().contentViewController()->view()->isEnabled());
    EXPECT_FALSE(app->delegate().menuItem_AddImages->isEnabled());
    EXPECT_TRUE(quitAction(app->delegate().mainMenu->actions())->isEnabled());
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([&] { return quits > 0; }, std::chrono::seconds(30)));
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(dispatch::runningJobCount(), 0u) << "the application quits only once the job has stopped";
    expectOnlyWholeImages(out, photos.size());
}

TEST_F(QuitTest, QuitRightAfterStopJobOnATabSwitchAsksNothingAndWaitsForTheLastFileToBeWhole) {
    startPastWelcome();
    const auto photos = writePhotos(dir / "in", 4, 800, 600);
    const auto out = dir / "out";
    ASSERT_TRUE(startHeldJob(photos, out));

    // The user leaves the tab and stops the job there; its last file is still being written.
    app->mainWindowController()->segBtn->setSelectedSegment(1);
    tabBar()->selectTab(1);
    drain();
    answer("Stop Job");
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 1);
    ASSERT_GT(dispatch::runningJobCount(), 0u) << "the stopped job is still on its file";

    chooseQuit();
    EXPECT_EQ(question(), nullptr) << "the job the user stopped is not asked about again";
    EXPECT_EQ(quits, 0) << "the quit waits for the file being written";
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([&] { return quits > 0; }, std::chrono::seconds(30)));
    EXPECT_EQ(quits, 1);
    EXPECT_EQ(dispatch::runningJobCount(), 0u);
    expectOnlyWholeImages(out, photos.size());
}

TEST_F(QuitTest, ADropOnAPresetCountsAsAJobWhileItsImagesAreCollectedAndStopAndQuitStartsNothing) {
    startPastWelcome();
    PresetListForIOS* screen = presetList();
    ASSERT_NE(screen, nullptr);
    const auto photos = writePhotos(dir / "in", 3, 800, 600);
    const auto out = dir / "out";
    ASSERT_TRUE(dropOnFirstPreset(*screen, photos, out));
    // The images are still being collected: nothing has run on the main queue since the drop.
    ActivityVC& activity = *screen->activityVC_Embedded;
    EXPECT_FALSE(activity.engine().isRunning());
    app->delegate().terminate();
    drain();
    ASSERT_NE(question(), nullptr) << "the drop's job counts as running from the drop";
    EXPECT_EQ(quits, 0);
    answer("Stop and Quit");
    ASSERT_TRUE(mainQueue->runUntil([&] { return quits > 0; }, std::chrono::seconds(30)));
    mainQueue->advance(1.0);
    drain();
    EXPECT_EQ(quits, 1);
    EXPECT_FALSE(activity.engine().isRunning()) << "the collected images start no job";
    EXPECT_EQ(dispatch::runningJobCount(), 0u);
    EXPECT_TRUE(filesBelow(out).empty());
}

TEST_F(QuitTest, AnExpectedJobAlreadyToldToStopIsWaitedForNotAskedAbout) {
    startPastWelcome();
    const auto expected = ExpectedJob::make();
    // Told to stop (as the application's end tells every job); it is gone a turn of the main queue later.
    dispatch::cancelRunningJobs();
    ASSERT_TRUE(expected->isCancelled());
    ASSERT_EQ(dispatch::runningJobCount(), 1u);
    app->delegate().terminate();
    drain();
    EXPECT_EQ(question(), nullptr) << "a job already stopping is not asked about";
    ASSERT_TRUE(mainQueue->runUntil([&] { return quits > 0; }, std::chrono::seconds(30)));
    EXPECT_EQ(quits, 1);
}

TEST_F(QuitTest, QuittingWithNoJobRunningIsImmediate) {
    startPastWelcome();
    chooseQuit();
    EXPECT_EQ(question(), nullptr);
    EXPECT_EQ(quits, 1);
    window().close();
    drain();
    EXPECT_EQ(question(), nullptr);
    EXPECT_EQ(quits, 2);
}

// The program in a child process: its own settings (past the welcome pages), photos to work on.
class QuitMidJobTest : public ::testing::Test {
  protected:
    // Enough photos that the job is still on them when the first file is there.
    static constexpr int kPhotos = 48;
    void SetUp() override { writePhotos(photos.path(), kPhotos, 1600, 1200); }

    struct Child {
        std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
        testsupport::TempDir config;
        testsupport::TempDir out;
        // Every line read from it so far.
        std::vector<QByteArray> lines;
    };
    std::unique_ptr<Child> start(const QString& mode, const QStringList& bound = {}) {
        return start(mode, photos.path(), bound);
    }
    // `sameSettingsAs`, when given, is a running child whose settings (and so whose running
    // instance) this one shares, as a later start of the same user's application does; what it
    // says on its error channel is read with its output.
    std::unique_ptr<Child> start(const QString& mode, const std::filesystem::path& in,
                                 const QStringList& bound, const Child* sameSettingsAs = nullptr) {
        auto child = std::make_unique<Child>();
        const std::filesystem::path config =
            sameSettingsAs ? sameSettingsAs->config.path() : child->config.path();
        if (!sameSettingsAs) {
            const auto file = config / "Vorta/settings.json";
            std::filesystem::create_directories(file.parent_path());
            foundation::UserDefaults s(file);
            s.set("isShowFirst", foundation::PlistValue(std::int64_t{1}));
            EXPECT_TRUE(s.synchronize());
        }
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config.string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        // The instance's socket and lock go with the settings, and with them when the test ends.
        const auto runtime = config / "runtime";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
        if (!handOffPatienceMs.isEmpty()) env.insert("VORTA_HANDOFF_PATIENCE_MS", handOffPatienceMs);
        child->process->setProcessEnvironment(env);
        child->process->setProcessChannelMode(sameSettingsAs ? QProcess::MergedChannels
                                                             : QProcess::ForwardedErrorChannel);
        const auto program = foundation::executableDirectory() / "quit_mid_job";
        child->process->start(QString::fromStdString(program.string()),
                              QStringList{mode, QString::fromStdString(in.string()),
                                          QString::fromStdString(child->out.path().string())} +
                                  bound);
        return child;
    }
    // Waits for the child to print `line` (the screens print lines of their own on the way).
    static bool waitForLine(Child& child, const QByteArray& line) {
        // Lines may have come already, while the test waited on something else.
        do {
            while (child.process->canReadLine()) {
                child.lines.push_back(child.process->readLine().trimmed());
                if (child.lines.back() == line) return true;
            }
        } while (child.process->waitForReadyRead(30000));
        return false;
    }
    // Everything the child said so far, for a failure's message.
    static std::string said(const Child& child) {
        return QByteArrayList(child.lines.begin(), child.lines.end()).join(" | ").toStdString();
    }
    // How often the child, which has ended, said `line`.
    static long timesSaid(Child& child, const QByteArray& line) {
        for (const QByteArray& rest : child.process->readAll().split('\n'))
            child.lines.push_back(rest.trimmed());
        return std::count(child.lines.begin(), child.lines.end(), line);
    }
    // The hidden files left below `folder`: temporaries of a job that was given up on.
    static std::vector<std::filesystem::path> temporariesBelow(const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> found;
        for (const auto& file : filesBelow(folder))
            if (file.filename().string().front() == '.') found.push_back(file);
        return found;
    }
    // Whether the child said, by the time it ended, that it gave up on background work.
    static bool abandonedWork(Child& child) {
        return child.process->readAll().contains("Background work that did not stop in time was abandoned");
    }
    // What the child stored before it ended: the presets, "W-1280" counted once, and the stopped
    // job's totals, its finished photos and its time.
    static void expectPresetsAndTotalsSaved(Child& child) {
        const foundation::UserDefaults stored(child.config / "Vorta/settings.json");
        std::vector<std::string> names, builtIn;
        std::int64_t uses = -1;
        for (const auto& preset : core::loadPresetList(stored)) {
            names.push_back(core::presetName(preset));
            if (names.back() == "W-1280") uses = preset.at("countUsage").toInt().value_or(-1);
        }
        for (const auto& preset : core::defaultPresets()) builtIn.push_back(core::presetName(preset));
        EXPECT_EQ(names, builtIn);
        EXPECT_EQ(uses, 1) << "the preset used is counted";
        EXPECT_EQ(stored.integer("UDTotalPhotos"),
                  static_cast<std::int64_t>(filesBelow(child.out.path()).size()))
            << "the stopped job's photos are counted";
        EXPECT_TRUE(stored.object("UDTotalTime")) << "the stopped job's time is stored";
    }
    static void expectEndedCleanly(Child& child) {
        EXPECT_EQ(child.process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child.process->exitCode(), 0);
        EXPECT_EQ(temporariesBelow(child.out.path()), std::vector<std::filesystem::path>{})
            << "a temporary file was left";
    }

    testsupport::TempDir photos;
    // How long a later start waits for an application that does not answer; empty for the default.
    QString handOffPatienceMs;
};

constexpr const char* kWaitsForTheEnd = "Vorta is quitting; the files open once it has ended.";

// A photo to open from the file manager, named `name`.
std::filesystem::path openedPhoto(const testsupport::TempDir& folder, const std::string& name) {
    const auto photo = folder / name;
    testsupport::writeTestImage(photo, 640, 480, 7);
    return photo;
}

TEST_F(QuitMidJobTest, QuittingFromTheMenuMidJobExitsCleanlyWithOnlyWholeFilesEveryTime) {
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        auto child = start("menu");
        // Timed from the quit, not from the start: a busy machine may take long to start the program.
        ASSERT_TRUE(waitForLine(*child, "quitting")) << "the job never wrote a temporary";
        const auto quit = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(10000)) << "still running 10 s after the quit";
        EXPECT_LT(std::chrono::steady_clock::now() - quit, std::chrono::seconds(10));
        ASSERT_EQ(child->process->exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(child->process->exitCode(), 0) << "3: the job ended before the quit, 4: it never started";
        expectOnlyWholeImages(child->out.path(), kPhotos);
        expectPresetsAndTotalsSaved(*child);
    }
}

// A photo opened from the file manager while the application waits for its stopped job (after Stop
// and Quit, and after its event loop has ended) is not handed to the ending application: the new start
// says it waits, and once the ending one is gone it runs as the application with the photo listed.
TEST_F(QuitMidJobTest, APhotoOpenedWhileTheApplicationEndsOpensInTheStartThatFollowsIt) {
    testsupport::TempDir opened;
    const auto photo = opened / "opened.jpg";
    writePhotos(opened.path(), 1, 640, 480);
    std::filesystem::rename(opened / "photo0.jpg", photo);
    for (const QString mode : {"menu-held", "ended-held"}) {
        SCOPED_TRACE(mode.toStdString());
        auto first = start(mode);
        ASSERT_TRUE(waitForLine(*first, "waiting")) << "the application never waited for its stopped job";
        auto second = start("open", photo, {}, first.get());
        ASSERT_TRUE(waitForLine(*second, "Vorta is quitting; the files open once it has ended."))
            << "the photo went to the ending application";
        EXPECT_EQ(first->process->state(), QProcess::Running) << "the ending application still waits";
        // The ending application's workers finish their files; it ends, and the new start follows.
        first->process->write("go\n");
        ASSERT_TRUE(first->process->waitForFinished(30000)) << "the stopped job kept the process alive";
        expectEndedCleanly(*first);
        expectOnlyWholeImages(first->out.path(), kPhotos);
        ASSERT_TRUE(waitForLine(*second, "listed opened.jpg")) << "the photo never reached the list";
        second->process->write("quit\n");
        ASSERT_TRUE(second->process->waitForFinished(30000));
        EXPECT_EQ(second->process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->process->exitCode(), 0);
    }
}

// Two later starts wait for one ending application and race to follow it: one becomes the
// application, the other hands its photo to it.
TEST_F(QuitMidJobTest, TwoStartsFollowingOneEndingApplicationMakeOneApplicationWithEachPhotoOnce) {
    testsupport::TempDir opened;
    const auto photoA = openedPhoto(opened, "a.jpg"), photoB = openedPhoto(opened, "b.jpg");
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE(run);
        auto first = start("menu-held");
        ASSERT_TRUE(waitForLine(*first, "waiting")) << "the application never waited for its stopped job";
        auto a = start("open", photoA, {}, first.get());
        auto b = start("open", photoB, {}, first.get());
        ASSERT_TRUE(waitForLine(*a, kWaitsForTheEnd));
        ASSERT_TRUE(waitForLine(*b, kWaitsForTheEnd));
        first->process->write("go\n");
        ASSERT_TRUE(first->process->waitForFinished(30000));
        // The one that hands over ends once its photo is listed; the application runs on.
        Child* handed = nullptr;
        for (int waited = 0; !handed && waited < 60000; waited += 20) {
            if (a->process->waitForFinished(10)) handed = a.get();
            if (b->process->waitForFinished(10)) handed = b.get();
        }
        ASSERT_NE(handed, nullptr) << "neither start handed its photo over";
        Child& application = handed == a.get() ? *b : *a;
        ASSERT_EQ(application.process->state(), QProcess::Running) << "no start runs as the application";
        EXPECT_EQ(handed->process->exitCode(), 0);
        EXPECT_EQ(timesSaid(*handed, "handed over"), 1);
        EXPECT_EQ(timesSaid(*handed, "application"), 0) << "a second application ran";
        const QByteArray other = handed == a.get() ? "listed b.jpg" : "listed a.jpg";
        ASSERT_TRUE(waitForLine(application, other)) << "the application's own photo was not listed";
        application.process->write("quit\n");
        ASSERT_TRUE(application.process->waitForFinished(30000));
        EXPECT_EQ(application.process->exitCode(), 0);
        EXPECT_EQ(timesSaid(application, "application"), 1);
        EXPECT_EQ(timesSaid(application, "listed a.jpg"), 1);
        EXPECT_EQ(timesSaid(application, "listed b.jpg"), 1);
    }
}

// An application whose main thread is frozen keeps its socket: a later start is not answered, says
// so and fails after its patience, and never runs as a second application; once the application
// goes on, it opens the photo once and still takes the next start's files.
TEST_F(QuitMidJobTest, AStartAgainstAFrozenApplicationFailsWithAMessageAndThePhotoOpensOnceItGoesOn) {
    testsupport::TempDir opened;
    const auto photoA = openedPhoto(opened, "a.jpg"), photoB = openedPhoto(opened, "b.jpg"),
               photoC = openedPhoto(opened, "c.jpg");
    auto application = start("open", photoA, {});
    ASSERT_TRUE(waitForLine(*application, "listed a.jpg"));
    const auto pid = static_cast<pid_t>(application->process->processId());
    ::kill(pid, SIGSTOP);
    handOffPatienceMs = "1500";
    auto late = start("open", photoB, {}, application.get());
    handOffPatienceMs.clear();
    const bool ended = late->process->waitForFinished(30000);
    ::kill(pid, SIGCONT);
    ASSERT_TRUE(ended) << "the start waits for ever";
    EXPECT_EQ(late->process->exitCode(), 1);
    const QByteArray said = late->process->readAll();
    EXPECT_TRUE(said.contains("Vorta is running but did not answer within 2 s")) << said.toStdString();
    EXPECT_TRUE(said.contains("not handed over")) << said.toStdString();
    EXPECT_FALSE(said.contains("application")) << "a second application ran";

    ASSERT_TRUE(waitForLine(*application, "listed b.jpg")) << "the application, going on, opens the photo";
    auto next = start("open", photoC, {}, application.get());
    ASSERT_TRUE(next->process->waitForFinished(30000));
    EXPECT_EQ(next->process->exitCode(), 0);
    EXPECT_EQ(timesSaid(*next, "handed over"), 1) << "the application kept its socket";
    ASSERT_TRUE(waitForLine(*application, "listed c.jpg"));
    application->process->write("quit\n");
    ASSERT_TRUE(application->process->waitForFinished(30000));
    EXPECT_EQ(timesSaid(*application, "listed b.jpg"), 1);
    EXPECT_EQ(timesSaid(*application, "application"), 1);
}

// A photo handed over in the second it is gathered, when a quit (from the menu, or SIGTERM) comes
// with nothing running, and one handed over while the quit question is up, answered Stop and Quit:
// each opens in the start that follows the ending application.
TEST_F(QuitMidJobTest, APhotoGatheredWhenAQuitComesOrOpenedDuringTheQuitQuestionOpensInTheNextStart) {
    testsupport::TempDir opened;
    const auto photoA = openedPhoto(opened, "a.jpg"), photoB = openedPhoto(opened, "b.jpg");
    for (const QString way : {"quit-when-gathered", "signal-when-gathered", "asked"}) {
        SCOPED_TRACE(way.toStdString());
        std::unique_ptr<Child> first;
        if (way == "asked") {
            first = start("asked");
            ASSERT_TRUE(waitForLine(*first, "asking")) << "the job never got going";
        } else {
            first = start("open", photoA, {});
            ASSERT_TRUE(waitForLine(*first, "listed a.jpg"));
            first->process->write((way + "\n").toUtf8());
            ASSERT_TRUE(first->process->waitForBytesWritten(5000));
        }
        auto second = start("open", photoB, {}, first.get());
        ASSERT_TRUE(waitForLine(*second, kWaitsForTheEnd))
            << "the ending application kept the photo: " << said(*second) << " / " << said(*first);
        ASSERT_TRUE(first->process->waitForFinished(30000));
        EXPECT_EQ(first->process->exitCode(), 0);
        if (way == "asked") expectEndedCleanly(*first);
        ASSERT_TRUE(waitForLine(*second, "application"));
        ASSERT_TRUE(waitForLine(*second, "listed b.jpg")) << "the photo never reached the list";
        second->process->write("quit\n");
        ASSERT_TRUE(second->process->waitForFinished(30000));
        EXPECT_EQ(second->process->exitCode(), 0);
    }
}

TEST_F(QuitMidJobTest, SigtermMidJobStopsTheJobWithoutAskingAndExitsWithinSeconds) {
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        auto child = start("signal");
        ASSERT_TRUE(waitForLine(*child, "running")) << "the job never got going";
        const auto signalled = std::chrono::steady_clock::now();
        ::kill(static_cast<pid_t>(child->process->processId()), SIGTERM);
        // Far inside the 30 s a stuck file would take, with room for a sanitizer build on a busy machine.
        ASSERT_TRUE(child->process->waitForFinished(15000)) << "still running 15 s after SIGTERM";
        EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(15));
        ASSERT_EQ(child->process->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child->process->exitCode(), 0);
        expectOnlyWholeImages(child->out.path(), kPhotos);
        expectPresetsAndTotalsSaved(*child);
    }
}

TEST_F(QuitMidJobTest,
       AfterTheEventLoopTheJobIsStoppedAndCountedIdleWorkGetsAGraceAndASecondRequestEndsTheWait) {
    using namespace std::chrono_literals;
    {
        SCOPED_TRACE("the event loop ends under the running job");
        auto child = start("ended");
        ASSERT_TRUE(child->process->waitForFinished(30000)) << "the stopped job kept the process alive";
        EXPECT_FALSE(abandonedWork(*child)) << "the job stops when asked, its last files finished";
        expectEndedCleanly(*child);
        expectOnlyWholeImages(child->out.path(), kPhotos);
        expectPresetsAndTotalsSaved(*child);
    }
    {
        SCOPED_TRACE("Stop and Quit with a thumbnail that never ends, the wait bounded to 30 s");
        auto child = start("busy-menu");
        ASSERT_TRUE(waitForLine(*child, "quitting")) << "the job never got going";
        const auto asked = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(30000)) << "the thumbnail kept the process alive";
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 10s)
            << "with the job stopped, what is left of the 30 s went to the thumbnail";
        EXPECT_TRUE(abandonedWork(*child));
        expectEndedCleanly(*child);
        expectOnlyWholeImages(child->out.path(), kPhotos);
        expectPresetsAndTotalsSaved(*child);
    }
    // A worker stuck on its file, the wait bounded to a minute: a signal, or Quit from the menu of the
    // window that is still there, ends the wait at once.
    for (const QString mode : {"stuck-ended", "stuck-ended-menu"}) {
        SCOPED_TRACE(mode.toStdString());
        auto child = start(mode, {"60000"});
        const auto pid = static_cast<pid_t>(child->process->processId());
        if (mode == "stuck-ended") {
            ASSERT_TRUE(waitForLine(*child, "running")) << "the job never wrote a temporary";
            EXPECT_FALSE(child->process->waitForFinished(1000)) << "the loop's end waits for the worker";
            ::kill(pid, SIGTERM);
        } else {
            ASSERT_TRUE(waitForLine(*child, "input refused")) << "the ending window still takes input";
            ASSERT_TRUE(waitForLine(*child, "quitting")) << "the menu was not reached after the loop's end";
        }
        const auto asked = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(30000)) << "the second request did not end the wait";
        EXPECT_LT(std::chrono::steady_clock::now() - asked, 5s);
        EXPECT_TRUE(abandonedWork(*child));
        expectEndedCleanly(*child);
    }
}

TEST_F(QuitMidJobTest, AWorkerStuckOnItsFileIsGivenUpAfterTheBoundAndASecondSignalEndsTheWaitAtOnce) {
    using namespace std::chrono_literals;
    {
        SCOPED_TRACE("Stop and Quit, the wait bounded to 2 s");
        auto child = start("stuck-menu", {"2000"});
        ASSERT_TRUE(waitForLine(*child, "quitting")) << "the job never wrote a temporary";
        const auto asked = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(10000)) << "a stuck worker keeps the process alive";
        const auto waited = std::chrono::steady_clock::now() - asked;
        EXPECT_GE(waited, 1500ms) << "the quit gives the worker the bound to finish its file";
        EXPECT_LT(waited, 7s);
        EXPECT_TRUE(abandonedWork(*child));
        expectEndedCleanly(*child);
    }
    {
        SCOPED_TRACE("SIGTERM twice, the wait bounded to a minute");
        auto child = start("stuck-signal", {"60000"});
        ASSERT_TRUE(waitForLine(*child, "running")) << "the job never wrote a temporary";
        const auto pid = static_cast<pid_t>(child->process->processId());
        ::kill(pid, SIGTERM);
        EXPECT_FALSE(child->process->waitForFinished(1000)) << "the first signal waits for the worker";
        ::kill(pid, SIGTERM);
        const auto signalled = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(10000)) << "the second signal did not end the wait";
        EXPECT_LT(std::chrono::steady_clock::now() - signalled, 2s);
        EXPECT_TRUE(abandonedWork(*child));
        expectEndedCleanly(*child);
    }
}

TEST_F(QuitMidJobTest, QuittingWhileAFolderOfTwentyThousandFilesIsCollectedExitsWithinTwoSeconds) {
    testsupport::TempDir folder;
    const auto first = folder / "photo00000.jpg";
    testsupport::writeTestImage(first, 64, 48, 1);
    for (int i = 1; i < 20000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "photo%05d.jpg", i);
        std::filesystem::create_hard_link(first, folder / name);
    }
    // Dropped on a preset, and opened with the application (for the Advanced tab's list).
    for (const QString door : {"collect", "collect-opened"}) {
        SCOPED_TRACE(door.toStdString());
        auto child = start(door, folder.path(), {});
        ASSERT_TRUE(waitForLine(*child, "quitting")) << "the collection was never seen under way";
        const auto asked = std::chrono::steady_clock::now();
        ASSERT_TRUE(child->process->waitForFinished(30000));
        // The collection's grace is 2 s and the wait's bound 30 s: past 10 s it was not stopped.
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(10))
            << "the collection went on after the window had gone";
        EXPECT_FALSE(abandonedWork(*child)) << "the collection stops when asked, not only when given up on";
        expectEndedCleanly(*child);
        EXPECT_EQ(filesBelow(child->out.path()), std::vector<std::filesystem::path>{}) << "no job ran";
    }
}

}  // namespace
