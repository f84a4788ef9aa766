// What a user hands the Advanced tab while its job runs is never lost and never stops the job
// unasked: files opened from the file manager, a collection that ends and a presets-menu choice wait
// for the question or panel that is up and are then handled afresh, a question names what its
// answer drops, an addition in the moment after Start asks like the
// rest of the job, removing images asks, and every add door fills the tab the same way.

#include <fstream>
#include <future>
#include <thread>

#include "AdvancedTabFixture.h"
#include "App/AppDelegate.h"
#include "App/Document.h"
#include "App/InstanceChannel.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetView.h"
#include "Support/PanelDriving.h"
#include "Support/UiEvents.h"

namespace {

namespace fs = std::filesystem;

class JobQuestionsTest : public testsupport::AdvancedTabTest {
  protected:
    void TearDown() override {
        // Its callbacks reach into the application, which goes next.
        channel.reset();
        testsupport::AdvancedTabTest::TearDown();
    }
    // The application takes files from later starts, as vorta does.
    void listenForStarts() {
        channel.reset();
        channel.emplace((dir / "vorta.socket").string());
        ASSERT_EQ(channel->start({}, std::chrono::seconds(5)), InstanceChannel::Start::Application);
        ASSERT_TRUE(channel->listen());
        app->takeFilesFrom(*channel);
    }
    // A later start handing `paths` over, as from its own process (here another thread): what it is told.
    std::future<InstanceChannel::Start> handOver(const std::vector<std::string>& paths) {
        return std::async(std::launch::async, [socket = (dir / "vorta.socket").string(), paths] {
            return InstanceChannel(socket).start(paths, std::chrono::seconds(60));
        });
    }
    // Turns Qt's events (the channel's) and the main queue, whose clock moves on with real time, until
    // `done` holds; false after 30 s.
    bool turnUntil(const std::function<bool()>& done) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            if (std::chrono::steady_clock::now() > giveUp) return false;
            QCoreApplication::processEvents();
            mainQueue->advance(0.02);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return true;
    }

    // A job of four enhanced photos, its workers held until the test lets them go: it is still
    // running when the user acts.
    void startLongJob() {
        addToList(photos(4, 1200, 800));
        chooseSizes({"SD"});
        chooseEnhancement();
        fs::create_directories(dir / "out");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
        workerHold.emplace();
        proceed();
        ASSERT_TRUE(mainQueue->runUntil([&] { return jobRuns(); }, std::chrono::seconds(30)));
    }
    // New photos that are not in the list, as a file manager hands them over.
    std::vector<std::string> opened(const std::string& prefix, int count) {
        std::vector<std::string> paths;
        for (int i = 1; i <= count; ++i) {
            const auto path = dir / "opened" / (prefix + std::to_string(i) + ".jpg");
            testsupport::writeTestImage(path, 900, 600, static_cast<unsigned>(20 + i));
            paths.push_back(path.string());
        }
        return paths;
    }
    void wait(double seconds) {
        for (double t = 0; t < seconds; t += 0.25) {
            mainQueue->advance(0.25);
            drain();
        }
    }
    void clickSegment(int index) {
        app->mainWindowController()->segBtn->setSelectedSegment(index);
        tabBar()->selectTab(index);
        drain();
    }
    // Past the welcome pages, on the Presets tab the application opens with.
    void startOnPresetsTab() {
        prepareSettings(
            [](foundation::UserDefaults& s) { s.set(appkeys::isShowFirst, foundation::PlistValue(1)); });
        start();
        wait(0.5);
    }
    // The Presets tab's screen, made anew each time the tab shows.
    PresetListForIOS* presetList() { return tabBar()->firstChild<PresetListForIOS>(); }
    // Drops two photos on the "Half" preset card of the Presets tab, the job's workers held: the job
    // is still running when the user acts.
    ActivityVC& startPresetJob() {
        PresetListForIOS* list = presetList();
        auto* cell = dynamic_cast<PresetCell*>(list->collectionView->itemAtIndex(0));
        EXPECT_EQ(cell->nameField->text(), "Half");
        fs::create_directories(dir / "out");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
        workerHold.emplace();
        EXPECT_TRUE(testsupport::dropFiles(cell->presetView, photos(2, 1200, 800)).dropAccepted);
        ActivityVC& activity = *list->activityVC_Embedded;
        EXPECT_TRUE(
            mainQueue->runUntil([&] { return activity.isActivityRunning(); }, std::chrono::seconds(30)));
        return activity;
    }
    std::vector<std::string> listedNames() {
        std::vector<std::string> names;
        for (const auto& record : core::sharedImageList().snapshot())
            names.push_back(fs::path(record.strFullPath).filename().string());
        return names;
    }
    QString questionText() {
        const auto shown = questions();
        return shown.size() == 1 ? shown.front()->informativeText() : QString();
    }

    std::optional<InstanceChannel> channel;
};

TEST_F(JobQuestionsTest, FilesOpenedDuringASwitchQuestionWaitForItAndThenAskTheirOwnQuestion) {
    startOnAdvancedTab();
    startLongJob();

    // The user clicks the Rename segment; while asked, two photos come from the file manager.
    // Switching would not drop them, so the question does not speak of them.
    clickSegment(2);
    ASSERT_EQ(questions().size(), 1u);
    app->openFiles(opened("a", 2));
    wait(2.0);
    ASSERT_EQ(questions().size(), 1u) << "the opened files wait; nothing more is asked";
    EXPECT_FALSE(questionText().contains("opened")) << questionText().toStdString();
    // Keep Job: the files then come as if just opened, onto the tab whose job runs: their own
    // question names them, and keeping the job again lets them go.
    answer("Keep Job");
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
    EXPECT_TRUE(questionText().contains("Adding images")) << questionText().toStdString();
    EXPECT_TRUE(questionText().contains("the 2 opened images are not added")) << questionText().toStdString();
    answer("Keep Job");
    wait(2.0);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
    EXPECT_TRUE(jobRuns()) << "Keep Job keeps the job";
    EXPECT_EQ(core::sharedImageList().count(), 4u) << "the opened files are let go, as the question said";

    // Asked again, with one more file opened meanwhile; this time the user switches. The files
    // then come as if opened after the answer: the Advanced tab shows again and takes them.
    clickSegment(2);
    ASSERT_EQ(questions().size(), 1u);
    app->openFiles(opened("b", 1));
    wait(1.5);
    answer("Stop Job");
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return tabBar()->intSegmentSelectedNow == 1 && core::sharedImageList().count() == 1; },
        std::chrono::seconds(30)));
    drain();
    EXPECT_EQ(fs::path(core::sharedImageList().at(0)->strFullPath).filename(), "b1.jpg");
    EXPECT_TRUE(questions().empty());
}

TEST_F(JobQuestionsTest, ThreeBurstsOfOpenedFilesDuringAJobGiveOneQuestionAndStopJobAddsThemAll) {
    startOnAdvancedTab();
    startLongJob();
    std::vector<std::string> all;
    for (int burst = 0; burst < 3; ++burst) {
        const auto files = opened(std::string(1, static_cast<char>('a' + burst)), burst + 1);
        all.insert(all.end(), files.begin(), files.end());
        app->openFiles(files);
        wait(1.5);
        ASSERT_EQ(questions().size(), 1u) << "burst " << burst;
    }
    EXPECT_TRUE(questionText().contains("the 6 opened images are not added")) << questionText().toStdString();
    EXPECT_TRUE(jobRuns());
    answer("Stop Job");
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == 4 + all.size(); },
                                    std::chrono::seconds(30)));
    drain();
    EXPECT_TRUE(questions().empty()) << "nothing asked twice";
    EXPECT_EQ(master()->holder()->activityVC(), nullptr) << "the job stopped and its screen went";
}

TEST_F(JobQuestionsTest, FilesOpenedWhileQuitIsAskedWaitAndAfterKeepWorkingAreAskedAboutOnce) {
    startOnAdvancedTab();
    startLongJob();
    app->delegate().terminate();
    drain();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions().front()->text(), "A job is running. Stop it and quit?");
    app->openFiles(opened("q", 2));
    wait(3.0);
    ASSERT_EQ(questions().size(), 1u) << "the opened files wait; no second sheet over the quit question";
    EXPECT_EQ(questions().front()->text(), "A job is running. Stop it and quit?");
    EXPECT_FALSE(questionText().contains("opened")) << "quitting hands them to the next start, not away";
    answer("Keep Working");
    // The job goes on, and the files arrive as files opened during a job do: one question names them.
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
    EXPECT_TRUE(questionText().contains("the 2 opened images are not added")) << questionText().toStdString();
    answer("Stop Job");
    workerHold.reset();
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return core::sharedImageList().count() == 6; }, std::chrono::seconds(30)));
}

TEST_F(JobQuestionsTest, AnAdditionJustAfterStartAsksAndKeepJobLetsTheRunStartAndFinish) {
    startOnAdvancedTab();
    addToList(photos(2, 900, 600));
    const fs::path out = dir / "out";
    fs::create_directories(out);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
    click(pane()->btnProceed);
    mainQueue->advance(0.2);
    drain();
    // Images chosen through the menu in the moment before the engine starts.
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, opened("late", 1)});
    app->delegate().menuItem_AddImages->trigger();
    drain();
    ASSERT_EQ(questions().size(), 1u) << "the job counts as running from Start";
    answer("Keep Job");
    ASSERT_TRUE(runToEnd()) << "the run starts and finishes";
    EXPECT_EQ(filesUnder(out).size(), 2u);
    EXPECT_EQ(core::sharedImageList().count(), 2u);
}

TEST_F(JobQuestionsTest, RemovingDuringARunAsksKeepJobKeepsEverythingAndStopJobRemoves) {
    startOnAdvancedTab();
    startLongJob();
    screens::CollectionVC& list = *master()->collectionVCEmbeded;
    QApplication::setActiveWindow(&window());
    const QPoint at = list.collImages->frameForItem(1).topLeft() + QPoint(2, 2);
    QTest::mouseClick(list.collImages->viewport(), Qt::LeftButton, {}, at);
    drain();
    ASSERT_EQ(list.mSetIdxSelected, (std::set<int>{1}));

    // Backspace in the focused grid, then the Remove button: each asks, Keep Job removes nothing.
    list.collImages->setFocus();
    QTest::keyClick(list.collImages, Qt::Key_Backspace);
    drain();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_TRUE(questionText().contains("Removing images")) << questionText().toStdString();
    answer("Keep Job");
    click(master()->btnDelete);
    answer("Keep Job");
    EXPECT_EQ(core::sharedImageList().count(), 4u);
    EXPECT_TRUE(jobRuns()) << "Keep Job keeps the job";

    // The menu's Remove Images, and Stop Job: the job stops and the image goes.
    app->delegate().menuItem_RemoveImages->trigger();
    drain();
    answer("Stop Job");
    workerHold.reset();
    EXPECT_EQ(core::sharedImageList().count(), 3u);
    EXPECT_EQ(master()->holder()->activityVC(), nullptr);
}

TEST_F(JobQuestionsTest, EveryAddDoorFillsTheAdvancedPaneAndTheDoneScreenTakesNoImages) {
    startOnAdvancedTab();
    // A narrow window shows the options pane's small grid, whose empty view offers Add Images.
    window().resize(560, 700);
    master()->applyWindowWidth();
    ASSERT_FALSE(pane()->imgCollView->isHidden());
    screens::CollectionVC* small = pane()->collectionVC();
    ASSERT_NE(small, nullptr);
    controls::PushButton* add = small->view()->findChild<controls::PushButton*>("add");
    ASSERT_NE(add, nullptr);
    ASSERT_TRUE(master()->btnSelectAll->isHidden());
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, photos(2, 900, 600)});
    click(add);
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 2; }));
    drain();
    EXPECT_FALSE(master()->btnSelectAll->isHidden()) << "the pane's Select All follows the list";
    EffectCollectionVC* effects = pane()->effectCollectionVC();
    EXPECT_TRUE(mainQueue->runUntil([&] { return effects->imgToPreviewEffect()->image().has_value(); }))
        << "the effects grid previews the first image";

    // The Preview button follows the selection, also when the grid/table switch clears it.
    window().resize(1000, 700);
    master()->applyWindowWidth();
    master()->collectionVCEmbeded->selectAllImages();
    drain();
    ASSERT_TRUE(master()->btnPreview->isEnabled());
    master()->segColOrTbl->setSelectedSegment(1);
    master()->switchGridOrTable(1);
    drain();
    EXPECT_FALSE(master()->btnPreview->isEnabled());

    // While a finished job's done screen shows, the add button does nothing.
    fs::create_directories(dir / "out");
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
    proceed();
    ASSERT_TRUE(runToEnd());
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, opened("late", 1)});
    click(master()->btnAddImages);
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer()) << "no open panel";
    // Nor does a drop on the list beside it.
    EXPECT_FALSE(
        testsupport::dropFiles(master()->collectionVCEmbeded->view(), opened("dropped", 1)).dropAccepted);
    wait(1.5);
    EXPECT_EQ(core::sharedImageList().count(), 2u);
    EXPECT_NE(master()->holder()->activityVC(), nullptr) << "the done screen stays";
}

TEST_F(JobQuestionsTest, EveryDoorThatAddsOrRemovesTurnsTheOptionsPanesButtonBetweenAddAndManage) {
    startOnAdvancedTab();
    const QString add = QStringLiteral("Add Images…"), manage = QStringLiteral("Manage");
    const auto wide = [&](bool yes) {
        window().resize(yes ? 1000 : 560, 700);
        master()->applyWindowWidth();
        drain();
    };
    struct Door {
        const char* name;
        std::function<void(const std::string&)> add;
    };
    const Door doors[] = {
        {"the list's add button",
         [&](const std::string& photo) {
             wide(true);
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo}});
             click(master()->btnAddImages);
         }},
        {"a drop on the list",
         [&](const std::string& photo) {
             EXPECT_TRUE(testsupport::dropFiles(master()->collectionVCEmbeded->view(), {photo}).dropAccepted);
         }},
        {"the menu",
         [&](const std::string& photo) {
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo}});
             app->delegate().menuItem_AddImages->trigger();
         }},
        {"files opened from the file manager", [&](const std::string& photo) { app->openFiles({photo}); }},
        {"the small grid's add button",
         [&](const std::string& photo) {
             wide(false);
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo}});
             click(pane()->collectionVC()->view()->findChild<controls::PushButton*>("add"));
         }},
        {"the options pane's own button",
         [&](const std::string& photo) {
             wide(false);
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo}});
             click(pane()->btnAddManage);
         }},
    };
    int n = 0;
    for (const Door& door : doors) {
        SCOPED_TRACE(door.name);
        ASSERT_EQ(core::sharedImageList().count(), 0u);
        EXPECT_EQ(pane()->btnAddManage->title(), add);
        door.add(opened("door" + std::to_string(++n) + "-", 1).front());
        ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 1; }));
        drain();
        EXPECT_EQ(pane()->btnAddManage->title(), manage);
        // Removing every image turns it back.
        master()->collectionVCEmbeded->selectAllImages();
        app->delegate().menuItem_RemoveImages->trigger();
        drain();
        mainQueue->advance(1.0);
        drain();
    }
    EXPECT_EQ(pane()->btnAddManage->title(), add);
}

TEST_F(JobQuestionsTest, TabInThePresetListsPanelReachesOnlyWhatShowsAndEveryCancelAsks) {
    startOnPresetsTab();
    ActivityVC* activity = &startPresetJob();
    // A control the user can see is the one under its own middle: nothing hides or covers it.
    const auto walkTheFocusChain = [&](const char* state, QWidget* from) {
        SCOPED_TRACE(state);
        QApplication::setActiveWindow(&window());
        from->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), from);
        for (int step = 0; step < 80; ++step) {
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            EXPECT_NE(focused, activity->btnCancel) << "a close mark under the panel's";
            EXPECT_NE(focused, activity->btnClose) << "a close mark under the panel's";
            const QPoint middle = focused->mapTo(&window(), focused->rect().center());
            QWidget* shown = window().childAt(middle);
            EXPECT_TRUE(focused->isVisible() && focused->width() > 0 && shown &&
                        (shown == focused || focused->isAncestorOf(shown)))
                << "a hidden or covered control has the focus: " << focused->accessibleName().toStdString()
                << " " << focused->metaObject()->className();
        }
    };
    walkTheFocusChain("running", presetList()->btnDismissActivity);
    ASSERT_TRUE(activity->isActivityRunning()) << "Tab and Space never stop the job";

    // The panel's CANCEL is a way to stop the job too: it asks first.
    click(activity->btnDoneOrCancel);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions().front()->text(), "Close activity");
    answer("No");
    EXPECT_TRUE(activity->isActivityRunning());
    EXPECT_FALSE(activity->isGotCancel()) << "No keeps the job";

    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([&] { return activity->btnDoneOrCancel->text() == "DONE"; },
                                    std::chrono::seconds(60)));
    drain();
    walkTheFocusChain("done", presetList()->btnDismissActivity);
    EXPECT_TRUE(questions().empty());
    // Closed, the panel keeps its activity screen, out of sight and out of reach.
    click(activity->btnDoneOrCancel);
    ASSERT_TRUE(presetList()->btnDismissActivity->isHidden());
    walkTheFocusChain("closed", presetList()->collectionView);
}

// The preset list keeps one activity screen from job to job: a drop after a finished job counts as
// running from the drop as the first did, and one that finds no image runs on none.
TEST_F(JobQuestionsTest, ALaterDropOnThePresetListCountsFromTheDropAndOneThatFindsNoImageRunsOnNone) {
    startOnPresetsTab();
    ActivityVC* activity = &startPresetJob();
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil([&] { return activity->btnDoneOrCancel->text() == "DONE"; },
                                    std::chrono::seconds(60)));
    drain();
    click(activity->btnDoneOrCancel);
    ASSERT_TRUE(presetList()->btnDismissActivity->isHidden());
    const auto jobFolders = [&] {
        return std::distance(fs::directory_iterator(dir / "out"), fs::directory_iterator());
    };
    ASSERT_EQ(jobFolders(), 1);

    fs::create_directories(dir / "nothing");
    auto* cell = dynamic_cast<PresetCell*>(presetList()->collectionView->itemAtIndex(1));
    ASSERT_NE(cell, nullptr);
    ASSERT_TRUE(testsupport::dropFiles(cell->presetView, {(dir / "nothing").string()}).dropAccepted);
    // Its files are still being collected: leaving the tab asks.
    clickSegment(1);
    ASSERT_EQ(questions().size(), 1u) << "the second drop counts as running from the drop";
    EXPECT_EQ(questions().front()->text(), "Stop the running job?");
    answer("Keep Job");
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    ASSERT_TRUE(mainQueue->runUntil(
        [&] {
            return presetList()->activityVC_Embedded->bProcessCompleted() && !activity->isActivityRunning();
        },
        std::chrono::seconds(60)));
    drain();
    EXPECT_EQ(jobFolders(), 1) << "the first drop's images are not run again";
}

// A drop on a preset counts as a job from the drop; when its files are collected while a question is
// up, the question names the preset's run that its answer drops, by the preset, and never as a count
// of images it does not have. No line of a question is empty.
TEST_F(JobQuestionsTest, AQuestionNamesThePresetRunItsAnswerDropsAndNeverACountOfNoImages) {
    struct Case {
        const char* what;
        bool photos;
        std::function<void()> ask;
        QString text;
        QString keep;
    };
    const std::vector<Case> cases{
        {"a folder without images, then Quit", false, [&] { app->delegate().terminate(); },
         "If you quit, the preset \"Half\" does not run.", "Keep Working"},
        {"two photos, then a click on another tab", true,
         [&] {
             app->mainWindowController()->segBtn->setSelectedSegment(1);
             tabBar()->selectTab(1);
         },
         "A job is running on this tab. Switching tabs stops it; the images already written are kept.\n"
         "If you stop the job, the preset \"Half\" does not run on the 2 images found.",
         "Keep Job"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startOnPresetsTab();
        auto* cell = dynamic_cast<PresetCell*>(presetList()->collectionView->itemAtIndex(0));
        ASSERT_NE(cell, nullptr);
        ASSERT_EQ(cell->nameField->text(), "Half");
        fs::create_directories(dir / "out");
        fs::create_directories(dir / "nothing");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "out").string()}});
        const std::vector<std::string> dropped =
            c.photos ? photos(2, 900, 600) : std::vector<std::string>{(dir / "nothing").string()};
        ASSERT_TRUE(testsupport::dropFiles(cell->presetView, dropped).dropAccepted);
        // Asked while the files are still collected: nothing has run on the main queue since the drop.
        // The run is named at once, and by its images once they are found.
        c.ask();
        ASSERT_EQ(questions().size(), 1u) << "the drop counts as a job from the drop";
        EXPECT_TRUE(questionText().contains("the preset \"Half\" does not run"))
            << questionText().toStdString();
        EXPECT_TRUE(mainQueue->runUntil([&] { return questionText() == c.text; }, std::chrono::seconds(30)))
            << questionText().toStdString();
        answer(c.keep);
        // Kept, the run goes on: it ends, on the photos or saying there were none.
        ActivityVC* activity = presetList()->activityVC_Embedded;
        ASSERT_TRUE(
            mainQueue->runUntil([&] { return activity->bProcessCompleted(); }, std::chrono::seconds(60)));
        EXPECT_TRUE(questions().empty());
        quit();
    }
}

TEST_F(JobQuestionsTest, FilesOpenedWhileCloseActivityIsAskedWaitForItsAnswerAndThenGoOnAsUsual) {
    startOnPresetsTab();
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 0);
    ActivityVC* activity = &startPresetJob();

    // The user clicks the activity's close mark; while asked, two photos come from the file manager.
    click(presetList()->btnDismissActivity);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions().front()->text(), "Close activity");
    app->openFiles(opened("a", 2));
    wait(2.0);
    ASSERT_EQ(questions().size(), 1u) << "the opened files wait; no second sheet";
    EXPECT_EQ(questions().front()->text(), "Close activity");
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    EXPECT_TRUE(activity->isActivityRunning());
    EXPECT_FALSE(activity->isGotCancel());
    answer("Yes");
    workerHold.reset();
    const std::vector<std::string> first{"a1.jpg", "a2.jpg"};
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return tabBar()->intSegmentSelectedNow == 1 && listedNames() == first; },
                            std::chrono::seconds(30)));
    drain();
    EXPECT_TRUE(questions().empty()) << "the cancelled job is not asked about again";

    // Back on the Presets tab, another job; this time the user answers No to the close question.
    // The files opened meanwhile then go on as opened files do during a job: the switch
    // question asks about them.
    clickSegment(0);
    wait(0.5);
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 0);
    activity = &startPresetJob();
    click(presetList()->btnDismissActivity);
    app->openFiles(opened("b", 1));
    wait(2.0);
    ASSERT_EQ(questions().size(), 1u);
    answer("No");
    wait(0.5);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions().front()->text(), "Stop the running job?");
    EXPECT_TRUE(questionText().contains("the opened image is not added")) << questionText().toStdString();
    EXPECT_TRUE(activity->isActivityRunning()) << "No keeps the job";
    EXPECT_FALSE(activity->isGotCancel()) << "No keeps the job";
    answer("Stop Job");
    workerHold.reset();
    const std::vector<std::string> second{"b1.jpg"};
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return tabBar()->intSegmentSelectedNow == 1 && listedNames() == second; },
                            std::chrono::seconds(30)));
    drain();
    EXPECT_TRUE(questions().empty());
}

TEST_F(JobQuestionsTest, QuitKeepWorkingOnThePresetsTabLetsOpenedFilesAskToLeaveItAndThenAddsThem) {
    startOnPresetsTab();
    ActivityVC* activity = &startPresetJob();
    // Quit asks once the job's work has begun.
    ASSERT_TRUE(
        mainQueue->runUntil([] { return dispatch::runningJobCount() > 0; }, std::chrono::seconds(30)));
    app->delegate().terminate();
    drain();
    ASSERT_EQ(questions().size(), 1u);
    app->openFiles(opened("q", 2));
    wait(3.0);
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_FALSE(questionText().contains("opened")) << "quitting hands them to the next start, not away";
    answer("Keep Working");
    // The files come as if just opened: they need the Advanced tab, and leaving the job is asked.
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
    EXPECT_EQ(questions().front()->text(), "Stop the running job?");
    EXPECT_TRUE(questionText().contains("Switching tabs")) << questionText().toStdString();
    EXPECT_TRUE(questionText().contains("the 2 opened images are not added")) << questionText().toStdString();
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    EXPECT_TRUE(activity->isActivityRunning()) << "Keep Working keeps the job";
    answer("Stop Job");
    const std::vector<std::string> both{"q1.jpg", "q2.jpg"};
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return tabBar()->intSegmentSelectedNow == 1 && listedNames() == both; },
                            std::chrono::seconds(30)));
    drain();
    EXPECT_TRUE(questions().empty());
}

TEST_F(JobQuestionsTest, ACollectionEndingDuringAnotherQuestionIsNamedByItAndThenAsksItsOwn) {
    struct Case {
        const char* question;
        std::function<void()> ask;
        QString names;
        QString keep;
    };
    const std::vector<Case> cases{
        {"switching tabs", [&] { clickSegment(2); },
         "If you stop the job, the 3 collected images are not added.", "Keep Job"},
        {"quitting",
         [&] {
             app->delegate().terminate();
             drain();
         },
         "If you quit, the 3 collected images are not added.", "Keep Working"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        startOnAdvancedTab();
        startLongJob();
        c.ask();
        ASSERT_EQ(questions().size(), 1u);
        // A folder's collection, begun before, ends while the user is asked.
        master()->collectionVCEmbeded->addImages(opened("c", 3));
        EXPECT_TRUE(
            mainQueue->runUntil([&] { return questionText().contains(c.names); }, std::chrono::seconds(30)))
            << questionText().toStdString();
        ASSERT_EQ(questions().size(), 1u) << "one sheet at a time";
        answer(c.keep);
        // Then the images ask for themselves, and come in once the job is stopped for them.
        ASSERT_TRUE(mainQueue->runUntil(
            [&] { return questions().size() == 1 && questionText().contains("Adding images"); },
            std::chrono::seconds(30)));
        EXPECT_TRUE(jobRuns());
        EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
        answer("Stop Job");
        EXPECT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == 7; },
                                        std::chrono::seconds(30)));
        drain();
        EXPECT_TRUE(questions().empty());
    }
}

// A question counts the images that its answer drops as the list would take them: an opened folder
// by the photos it holds, a text file not at all. It names images still on their way (being
// collected, or gathered in the second before it) and those that raised it.
TEST_F(JobQuestionsTest, AQuestionCountsTheImagesItDropsAndNamesThoseStillOnTheirWay) {
    const auto trip = [&] {
        for (int i = 1; i <= 3; ++i)
            testsupport::writeTestImage(dir / "trip" / ("day" + std::to_string(i) + ".jpg"), 900, 600,
                                        static_cast<unsigned>(40 + i));
        std::ofstream(dir / "notes.txt") << "not a photo";
        return (dir / "trip").string();
    };
    struct Case {
        const char* what;
        std::function<void()> ask;
        // The line the question says at once, if any, and once everything is counted.
        QString atOnce;
        QString counted;
        QString answer;
        std::size_t listed;  // the list's images once the answer is carried out
        QString never = {};  // words the question must not say
    };
    const std::vector<Case> cases{
        {"a folder of three photos and a text file opened from the file manager",
         [&] {
             app->openFiles({trip(), (dir / "notes.txt").string()});
         },
         {},
         "If you keep the job, the 3 opened images are not added.",
         "Stop Job",
         7},
        {"a folder's collection that ends while the job runs",
         [&] { master()->collectionVCEmbeded->addImages({trip()}); },
         {},
         "If you keep the job, the 3 collected images are not added.",
         "Stop Job",
         7},
        {"a click on another tab while a folder is collected",
         [&] {
             master()->collectionVCEmbeded->addImages({trip()});
             tabBar()->selectTab(2);
         },
         "If you stop the job, the images still being collected are not added.",
         "If you stop the job, the 3 collected images are not added.", "Stop Job", 0},
        {"quitting in the second after two photos were opened",
         [&] {
             app->openFiles(opened("g", 2));
             drain();
             app->delegate().terminate();
         },
         // They are not lost with a quit: the start that handed them over opens them after it.
         {},
         {},
         "Keep Working",
         4,
         "opened"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        startOnAdvancedTab();
        startLongJob();
        c.ask();
        if (!c.atOnce.isEmpty()) {
            ASSERT_EQ(questions().size(), 1u);
            EXPECT_TRUE(questionText().contains(c.atOnce)) << questionText().toStdString();
        }
        EXPECT_TRUE(
            mainQueue->runUntil([&] { return questionText().contains(c.counted); }, std::chrono::seconds(30)))
            << questionText().toStdString();
        if (!c.never.isEmpty()) {
            ASSERT_TRUE(
                mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
            EXPECT_FALSE(questionText().contains(c.never)) << questionText().toStdString();
        }
        answer(c.answer);
        workerHold.reset();
        // Kept working, the opened photos then ask for themselves; they are let go here.
        if (c.answer == "Keep Working") {
            ASSERT_TRUE(
                mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
            answer("Keep Job");
        }
        EXPECT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == c.listed; },
                                        std::chrono::seconds(30)))
            << core::sharedImageList().count();
        std::filesystem::remove_all(dir / "trip");
        quit();
    }
}

TEST_F(JobQuestionsTest, FilesOpenedWhileTheOpenPanelIsUpWaitForItAndThenAsk) {
    startOnAdvancedTab();
    startLongJob();
    // The user opens the add panel from the menu and is still choosing when files come.
    app->delegate().menuItem_AddImages->trigger();
    drain();
    QDialog* panel = testsupport::shownPanel();
    ASSERT_NE(panel, nullptr);
    app->openFiles(opened("p", 2));
    wait(2.0);
    EXPECT_TRUE(questions().empty()) << "nothing is asked over the panel";
    EXPECT_EQ(testsupport::shownPanel(), panel);
    panel->reject();
    drain();
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
    EXPECT_TRUE(questionText().contains("the 2 opened images are not added")) << questionText().toStdString();
    answer("Stop Job");
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return core::sharedImageList().count() == 6; }, std::chrono::seconds(30)));
}

// The menu's run waits as long as its question does, however long the user takes, and the question
// says that keeping the job drops the run.
TEST_F(JobQuestionsTest, APresetChosenFromTheMenuAndFilesOpenedDuringItsQuestionAreHandledInTurn) {
    startOnAdvancedTab();
    startLongJob();
    auto* presets = qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
    ASSERT_NE(presets, nullptr);
    ASSERT_FALSE(presets->items().empty());
    ASSERT_EQ(presets->items().front()->text(), "Half");
    presets->items().front()->trigger();
    drain();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questionText(),
              "A job is running on this tab. Switching tabs stops it; the images already written are kept.\n"
              "If you keep the job, the preset \"Half\" chosen from the menu does not run.");
    app->openFiles(opened("m", 1));
    // The user thinks it over for more than a minute.
    wait(75.0);
    ASSERT_EQ(questions().size(), 1u);
    // Stop Job: the preset list shows and runs "Half" on the images chosen for it; then the file
    // asks to leave that job.
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, photos(2, 1200, 800)});
    answer("Stop Job");
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }, std::chrono::seconds(30)));
    EXPECT_FALSE(appkit::ModalScript::takeOpenPanelAnswer()) << "the preset asked for its images";
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    ASSERT_NE(presetList(), nullptr);
    ActivityVC* activity = presetList()->activityVC_Embedded;
    ASSERT_NE(activity, nullptr);
    EXPECT_TRUE(activity->isActivityRunning()) << "the preset runs";
    EXPECT_TRUE(questionText().contains("the opened image is not added")) << questionText().toStdString();
    answer("Stop Job");
    const std::vector<std::string> file{"m1.jpg"};
    EXPECT_TRUE(
        mainQueue->runUntil([&] { return tabBar()->intSegmentSelectedNow == 1 && listedNames() == file; },
                            std::chrono::seconds(30)));
}

// Opened files never wait on a list that is gone or on a preset run that is over: they reach the
// Advanced tab's list when the tab was left in their gathering second, and go there at once after a
// preset run from the menu that found no images.
TEST_F(JobQuestionsTest, OpenedFilesReachTheAdvancedListAfterATabChangeAndAfterAPresetRunThatFoundNothing) {
    startOnAdvancedTab();
    app->openFiles(opened("t", 1));
    drain();
    clickSegment(0);
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 0);
    wait(3.0);
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
    EXPECT_TRUE(mainQueue->runUntil([&] { return listedNames() == std::vector<std::string>{"t1.jpg"}; },
                                    std::chrono::seconds(30)));

    fs::create_directories(dir / "empty");
    fs::create_directories(dir / "out");
    ASSERT_TRUE(core::storeOutputFolder(app->delegate().defaults(), dir / "out"));
    auto* presets = qobject_cast<appkit::Menu*>(app->delegate().menuItem_AddImageToPreset->menu());
    ASSERT_NE(presets, nullptr);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(dir / "empty").string()}});
    presets->items().front()->trigger();
    wait(1.0);
    EXPECT_FALSE(appkit::ModalScript::takeOpenPanelAnswer()) << "the preset asked for its images";
    ASSERT_EQ(tabBar()->intSegmentSelectedNow, 0);
    // The empty folder is walked on a worker: the run is over once its job has ended for want of images.
    ASSERT_TRUE(mainQueue->runUntil(
        [&] {
            PresetListForIOS* list = presetList();
            return list && list->activityVC_Embedded && list->activityVC_Embedded->bProcessCompleted();
        },
        std::chrono::seconds(60)));
    app->openFiles(opened("n", 1));
    wait(3.0);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1) << "the files do not wait for a run that is over";
    wait(1.5);
    // Leaving a tab empties its list: the Advanced list now holds the new file only.
    EXPECT_TRUE(mainQueue->runUntil([&] { return listedNames() == std::vector<std::string>{"n1.jpg"}; },
                                    std::chrono::seconds(30)));
}

// A start that hands files over during a job is told what became of them, whatever the user
// answers: it says "taken" only for files that are in the list. Files let go by an answer are in
// no list; files that bring no image never stop or question the job; a hand-over of more files than
// the application takes at once is refused whole.
TEST_F(JobQuestionsTest, AStartIsToldWhatBecameOfItsFilesWhateverTheQuestionsAnswer) {
    std::ofstream(dir / "notes.txt") << "not a photo";
    const std::string notes = (dir / "notes.txt").string();
    const auto many = [&] {
        std::vector<std::string> paths;
        fs::create_directories(dir / "many");
        for (std::size_t i = 0; i < InstanceChannel::kMostPaths + 10; ++i) {
            paths.push_back((dir / "many" / ("m" + std::to_string(i) + ".jpg")).string());
            std::ofstream(paths.back()) << "x";
        }
        return paths;
    };
    using Start = InstanceChannel::Start;
    enum class Before { nothing, quitQuestion, closeActivity };  // what the user does before the files come
    enum class Files { photo, text, photoAndText, tooMany };
    struct Case {
        const char* what;
        bool onPresetsTab;  // where the job runs; else on the Advanced tab
        Before before;
        Files files;
        std::vector<QString> answers;  // the questions that come, answered in turn
        Start told;
        bool photoListed;
    };
    // clang-format off
    const std::vector<Case> cases{
        {"a photo whose own question is answered Keep Job", false, Before::nothing, Files::photo,
         {"Keep Job"}, Start::NotAdded, false},
        {"a photo that asks to leave the Presets tab's job, Keep Job", true, Before::nothing, Files::photo,
         {"Keep Job"}, Start::NotAdded, false},
        {"a photo during the quit question, Keep Working, then Keep Job", false, Before::quitQuestion,
         Files::photo, {"Keep Working", "Keep Job"}, Start::NotAdded, false},
        {"a photo during Close activity, No, then Keep Job", true, Before::closeActivity, Files::photo,
         {"No", "Keep Job"}, Start::NotAdded, false},
        {"a text file alone", false, Before::nothing, Files::text, {}, Start::NoImages, false},
        {"a photo and a text file, Stop Job", false, Before::nothing, Files::photoAndText, {"Stop Job"},
         Start::SomeNotImages, true},
        {"a photo, Stop Job", false, Before::nothing, Files::photo, {"Stop Job"}, Start::HandedOver, true},
        {"more files than are taken at once", false, Before::nothing, Files::tooMany, {}, Start::Refused,
         false},
    };
    // clang-format on
    const auto filesOf = [&](Files files) {
        if (files == Files::text) return std::vector<std::string>{notes};
        if (files == Files::tooMany) return many();
        auto paths = opened("h", 1);
        if (files == Files::photoAndText) paths.push_back(notes);
        return paths;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.onPresetsTab) {
            startOnPresetsTab();
            startPresetJob();
        } else {
            startOnAdvancedTab();
            startLongJob();
        }
        listenForStarts();
        const auto listedBefore = core::sharedImageList().count();
        if (c.before == Before::quitQuestion) app->delegate().terminate();
        if (c.before == Before::closeActivity) click(presetList()->btnDismissActivity);
        drain();
        auto told = handOver(filesOf(c.files));
        const auto answered = [&] {
            return told.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
        };
        ASSERT_TRUE(turnUntil([&] { return !Document::pendingURLs().empty() || answered(); }));
        for (const QString& button : c.answers) {
            ASSERT_TRUE(turnUntil([&] { return questions().size() == 1; })) << button.toStdString();
            answer(button);
            if (button == "Stop Job") workerHold.reset();
        }
        ASSERT_TRUE(turnUntil(answered)) << "the start is never answered";
        EXPECT_EQ(told.get(), c.told);
        EXPECT_TRUE(questions().empty()) << questionText().toStdString();
        if (c.answers.empty()) {
            EXPECT_TRUE(jobRuns()) << "files that bring no image never stop the job";
            EXPECT_EQ(core::sharedImageList().count(), listedBefore);
        }
        const auto names = listedNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "h1.jpg"), c.photoListed ? 1 : 0);
        channel.reset();
        workerHold.reset();
        quit();
    }
}

// What the list holds under one spelling of its name (composed) is in the list when a later start
// names it in the other (decomposed): a folder as much as a photo. On a disk that keeps both spellings
// apart, each is a folder of its own holding the same names.
TEST_F(JobQuestionsTest, AStartNamingListedPhotosInAnotherSpellingIsToldTheyAreTaken) {
    const fs::path composed = dir / "caf\xC3\xA9";
    const fs::path decomposed = dir / "cafe\xCC\x81";
    for (const fs::path& folder : {composed, decomposed})
        testsupport::writeTestImage(folder / "sub" / "p.jpg", 900, 600, 7);
    startOnAdvancedTab();
    listenForStarts();
    using Start = InstanceChannel::Start;
    struct Case {
        const char* what;
        fs::path handed;
    };
    const std::vector<Case> cases{
        {"the folder first named as listed", composed},
        {"the folder in the other spelling", decomposed},
        {"its sub-folder in the other spelling", decomposed / "sub"},
        {"the photo in the other spelling", decomposed / "sub" / "p.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto told = handOver({c.handed.string()});
        ASSERT_TRUE(
            turnUntil([&] { return told.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
        EXPECT_EQ(told.get(), Start::HandedOver);
        EXPECT_EQ(listedNames(), std::vector<std::string>{"p.jpg"});
    }
}

}  // namespace
