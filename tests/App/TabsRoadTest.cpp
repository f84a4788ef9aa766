// The Rename and Bulk tabs as a user meets them in the application window: the tab segment shows
// each tab's screen, and each tab's button runs the real engine on real files.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <condition_variable>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>

#include "App/AppDefaults.h"
#include "App/Document.h"
#include "App/VortaWindowController.h"
#include "Controls/Button.h"
#include "Controls/TextField.h"
#include "Core/Job/OutputFileSystem.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/SharedLists.h"
#include "Core/Rename/RenameOptions.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/HandOver.h"
#include "Platform/Image/ImageInfo.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CircularProgressView.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/SizeListforResultVC.h"
#include "Screens/Setup/AdvancedHolderVC.h"
#include "Screens/Setup/AdvancedMasterVC.h"
#include "Screens/Setup/AdvancedTVC.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/BulkResizerVC.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/RenameMasterVC.h"
#include "Screens/Setup/RenameOptionTVC.h"
#include "Screens/Setup/TabListPaneVC.h"
#include "ShellFixture.h"
#include "Support/PanelDriving.h"
#include "Support/UiEvents.h"

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The machine's file systems, with the placing of output files held until opened.
class GatedFiles final : public core::OutputFileSystem {
  public:
    int makeFolder(const std::filesystem::path& path) const override {
        return core::OutputFileSystem::system().makeFolder(path);
    }
    int placeFile(const std::filesystem::path& from, const std::filesystem::path& to) const override {
        {
            dispatch::VisibleLock lock(mutex_);
            while (!open_)
                lock.waitUntil(changed_, std::chrono::steady_clock::now() + std::chrono::seconds(1));
        }
        return core::OutputFileSystem::system().placeFile(from, to);
    }
    void open() {
        const dispatch::VisibleLock lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void close() {
        const dispatch::VisibleLock lock(mutex_);
        open_ = false;
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool open_ = false;
};

class TabsRoadTest : public testsupport::ShellTest {
  protected:
    // Activity screens made from now on place their files through a gate the test opens.
    std::shared_ptr<GatedFiles> gateActivityFiles() {
        auto gate = std::make_shared<GatedFiles>();
        // The application's own settings, not owned by the screen.
        const std::shared_ptr<foundation::UserDefaults> settings(std::shared_ptr<void>(),
                                                                 &app->delegate().defaults());
        appkit::Storyboard::main().registerController(ids::scene::ActivityVC, [gate, settings] {
            core::BatchEngine::Services services;
            services.defaults = settings;
            services.fileSystem = gate;
            return std::make_shared<ActivityVC>(std::move(services));
        });
        return gate;
    }
    void SetUp() override {
        ShellTest::SetUp();
        prepareSettings(
            [](foundation::UserDefaults& s) { s.set(appkeys::isShowFirst, foundation::PlistValue(1)); });
        start();
    }

    appkit::SegmentedControl& segments() { return *app->mainWindowController()->segBtn; }
    // Clicks a segment of the window's tab switcher as the mouse does.
    void clickSegment(int index) {
        auto buttons = segments().findChildren<QAbstractButton*>();
        ASSERT_LT(index, buttons.size());
        QTest::mouseClick(buttons[index], Qt::LeftButton);
        drain();
        mainQueue->advance(0.5);
        drain();
    }
    appkit::ViewController* tabScreen() { return tabBar()->children().back().get(); }

    // Adds files to the tab's image list and waits until they are listed.
    void addImages(screens::CollectionVC& list, const std::vector<fs::path>& files) {
        std::vector<std::string> paths;
        for (const auto& f : files) paths.push_back(f.string());
        const std::size_t before = core::sharedImageList().count();
        list.addImages(paths);
        ASSERT_TRUE(
            mainQueue->runUntil([&] { return core::sharedImageList().count() == before + files.size(); }));
        mainQueue->advance(1.0);
        drain();
    }
    // Clicks the pane's primary button with the output folder asked for answered, and waits for the
    // job's end; `sample` looks at the activity screen between the main queue's blocks.
    bool runFrom(controls::Button& button, OptionsHolderVC& holder,
                 const std::function<void(ActivityVC&)>& sample = {}) {
        // A fresh output folder for each run, so earlier results still on screen keep their files.
        out = dir / ("out" + std::to_string(++runs));
        fs::create_directories(out);
        app->delegate().defaults().removeObject("UD_SavingLocationData");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
        QTest::mouseClick(&button, Qt::LeftButton);
        drain();
        mainQueue->advance(0.5);
        drain();
        ActivityVC* activity = holder.activityVC();
        if (!activity) return false;
        const bool ended = mainQueue->runUntil(
            [&] {
                if (sample) sample(*activity);
                return !activity->isActivityRunning() && activity->btnDoneOrCancel->text() == "DONE";
            },
            std::chrono::seconds(120));
        drain();
        return ended;
    }
    // Starts the Bulk tab's job at 50 % into a new folder `out`, its workers held until the test lets
    // them go; the activity screen while the job runs, or nullptr.
    ActivityVC* startHalfSizeJob(BulkMasterVC& bulk) {
        auto* resizer = dynamic_cast<BulkResizerVC*>(bulk.holder()->optionPane());
        resizer->sliderPercent->setValue(50);
        out = dir / ("out" + std::to_string(++runs));
        fs::create_directories(out);
        app->delegate().defaults().removeObject("UD_SavingLocationData");
        appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {out.string()}});
        workerHold.emplace();
        QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
        const bool running = mainQueue->runUntil([&] {
            ActivityVC* activity = bulk.activityVC();
            return activity && activity->isActivityRunning();
        });
        return running ? bulk.activityVC() : nullptr;
    }
    // Every file the jobs wrote, by name.
    std::map<std::string, fs::path> written() {
        std::map<std::string, fs::path> files;
        for (const auto& e : fs::recursive_directory_iterator(out))
            if (e.is_regular_file()) files[e.path().filename().string()] = e.path();
        return files;
    }

    fs::path out;
    int runs = 0;
};

// The button that runs a tab's job, and the options pane that holds it.
struct RunButton {
    QWidget* button = nullptr;
    QWidget* pane = nullptr;
};
RunButton runButtonOf(appkit::ViewController* tab) {
    if (auto* advanced = dynamic_cast<AdvancedMasterVC*>(tab)) {
        AdvancedTVC* pane = advanced->holder()->optionsPane();
        return {pane->btnProceed, pane->view()};
    }
    auto* list = dynamic_cast<TabListPaneVC*>(tab);
    appkit::ViewController* pane = list ? list->holder()->optionPane() : nullptr;
    if (auto* rename = dynamic_cast<RenameOptionTVC*>(pane)) return {rename->btnDone, pane->view()};
    if (auto* bulk = dynamic_cast<BulkResizerVC*>(pane)) return {bulk->btnProceed, pane->view()};
    return {};
}

TEST_F(TabsRoadTest, EachSegmentShowsItsTabWithItsRunButtonInOnePlaceAndARefusedSwitchKeepsTheHighlight) {
    struct Case {
        int segment;
        const char* screen;
    };
    const Case cases[] = {{2, ids::scene::RenameMasterVC},   {3, ids::scene::BulkMasterVC},
                          {0, ids::scene::PresetListForIOS}, {3, ids::scene::BulkMasterVC},
                          {1, ids::scene::AdvancedMasterVC}, {2, ids::scene::RenameMasterVC}};
    int shown = 0;
    struct RunPlace {
        int width, height, rightInset, bottomInset;
    };
    std::optional<RunPlace> firstPlace;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        clickSegment(c.segment);
        // The Advanced tab arrives with its own work; until then its segment must not stick.
        if (!appkit::Storyboard::main().hasController(c.screen)) {
            EXPECT_EQ(segments().selectedSegment(), shown);
            continue;
        }
        shown = c.segment;
        EXPECT_EQ(tabScreen()->identifier(), c.screen);
        EXPECT_EQ(tabBar()->intSegmentSelectedNow, c.segment);
        EXPECT_EQ(segments().selectedSegment(), c.segment);
        EXPECT_TRUE(tabScreen()->view()->isVisible());
        // The run button has one size and one place on every tab: right-aligned at the foot of
        // the options pane, at the same distance from its right and bottom edges.
        if (c.segment == 0) continue;
        const RunButton run = runButtonOf(tabScreen());
        ASSERT_NE(run.button, nullptr);
        ASSERT_TRUE(run.button->isVisible());
        const QRect r(run.button->mapTo(run.pane, QPoint(0, 0)), run.button->size());
        const RunPlace place{r.width(), r.height(), run.pane->width() - 1 - r.right(),
                             run.pane->height() - 1 - r.bottom()};
        if (!firstPlace) firstPlace = place;
        EXPECT_EQ(place.width, firstPlace->width);
        EXPECT_EQ(place.height, firstPlace->height);
        EXPECT_EQ(place.rightInset, firstPlace->rightInset);
        EXPECT_EQ(place.bottomInset, firstPlace->bottomInset);
        EXPECT_GT(r.left(), run.pane->width() / 2) << "the run button is not right-aligned";
    }
    auto* rename = dynamic_cast<RenameMasterVC*>(tabScreen());
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(tabBar()->renameMasterVC, rename);

    // A job running on the Bulk tab: keeping it keeps the tab and its highlight; stopping it switches.
    clickSegment(3);
    auto* bulk = dynamic_cast<BulkMasterVC*>(tabScreen());
    ASSERT_NE(bulk, nullptr);
    const auto in = dir / "in";
    for (int i = 0; i < 6; ++i)
        testsupport::writeTestImage(in / ("p" + std::to_string(i) + ".jpg"), 1200, 900, i);
    addImages(*bulk->collectionVCEmbeded,
              {in / "p0.jpg", in / "p1.jpg", in / "p2.jpg", in / "p3.jpg", in / "p4.jpg", in / "p5.jpg"});
    ActivityVC* activity = startHalfSizeJob(*bulk);
    ASSERT_NE(activity, nullptr);

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    clickSegment(2);
    EXPECT_EQ(tabScreen(), bulk);
    EXPECT_EQ(segments().selectedSegment(), 3) << "the highlight returns to the tab that stays";
    EXPECT_FALSE(activity->isGotCancel());

    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    clickSegment(2);
    workerHold.reset();
    EXPECT_NE(dynamic_cast<RenameMasterVC*>(tabScreen()), nullptr);
    EXPECT_EQ(segments().selectedSegment(), 2);
    // Images already being worked on when the job stopped finish before the test's folders go.
    EXPECT_TRUE(
        mainQueue->runUntil([] { return dispatch::runningJobCount() == 0; }, std::chrono::seconds(60)));
}

TEST_F(TabsRoadTest, SpacePressedTwiceOnProceedMakesOneScreenAndAfterItsJobLeavingAsksNothing) {
    const auto in = dir / "in";
    const std::vector<fs::path> photos = {in / "a.jpg", in / "b.jpg"};
    for (std::size_t i = 0; i < photos.size(); ++i)
        testsupport::writeTestImage(photos[i], 1200, 900, static_cast<unsigned>(i + 1));
    struct Case {
        int tab;
        const char* name;
    };
    for (const Case& c : {Case{1, "Advanced"}, Case{2, "Rename"}, Case{3, "Bulk"}}) {
        SCOPED_TRACE(c.name);
        clickSegment(c.tab);
        ASSERT_TRUE(questions().empty());
        ASSERT_EQ(tabBar()->intSegmentSelectedNow, c.tab);
        appkit::ViewController* screen = tabScreen();
        auto* host = dynamic_cast<screens::ImageListHost*>(screen);
        ASSERT_NE(host, nullptr);
        addImages(*host->collectionVCEmbeded, photos);
        if (auto* bulk = dynamic_cast<BulkMasterVC*>(screen))
            QTest::keyClicks(dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane())->txtWidth, "800");
        appkit::ViewController* options = nullptr;
        if (auto* advanced = dynamic_cast<AdvancedMasterVC*>(screen)) options = advanced->holder();
        if (auto* list = dynamic_cast<TabListPaneVC*>(screen)) options = list->holder();
        ASSERT_NE(options, nullptr);
        out = dir / ("out" + std::to_string(++runs));
        fs::create_directories(out);
        ASSERT_TRUE(core::storeOutputFolder(app->delegate().defaults(), out));

        // The options slide away as they do for a user, and Space comes twice before they are gone.
        auto* run = qobject_cast<controls::Button*>(runButtonOf(screen).button);
        ASSERT_NE(run, nullptr);
        QApplication::setActiveWindow(&window());
        run->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), run);
        appkit::AnimationClock::setDurationScale(1);
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
        QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
        appkit::AnimationClock::setDurationScale(0);
        options->completeRunningTransition();
        drain();
        ASSERT_EQ(options->children().size(), 2u) << "one activity screen over the options";

        ActivityVC* activity = dynamic_cast<ActivityHolderVC*>(options->children()[1].get())->activityVC();
        mainQueue->advance(0.5);
        drain();
        ASSERT_TRUE(mainQueue->runUntil(
            [&] { return !activity->isActivityRunning() && activity->btnDoneOrCancel->text() == "DONE"; },
            std::chrono::seconds(120)));
        drain();
        EXPECT_EQ(written().size(), 2u) << "one job over the two images";
        QTest::mouseClick(activity->btnDoneOrCancel, Qt::LeftButton);
        drain();
        EXPECT_EQ(options->children().size(), 1u) << "DONE uncovers the options, not another screen";
        EXPECT_TRUE(questions().empty());
    }
    // Leaving the last tab asks nothing: no screen is left counting as running.
    clickSegment(0);
    EXPECT_TRUE(questions().empty());
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
}

// The list a job starts on is read when it starts: a list emptied in the moment after PROCEED (nothing
// the user does empties it unasked, but nothing forbids it) gives a job that ends at once, saying so,
// and leaves nothing counting as running: leaving the tab and quitting ask nothing.
TEST_F(TabsRoadTest, AListEmptiedBeforeItsJobStartsEndsTheJobSayingSoAndLeavesNoJobExpected) {
    const auto photo = dir / "in" / "a.jpg";
    testsupport::writeTestImage(photo, 900, 600, 1);
    for (const auto& [tab, name] : {std::pair{1, "Advanced"}, std::pair{2, "Rename"}}) {
        SCOPED_TRACE(name);
        clickSegment(tab);
        ASSERT_EQ(tabBar()->intSegmentSelectedNow, tab);
        appkit::ViewController* screen = tabScreen();
        auto* host = dynamic_cast<screens::ImageListHost*>(screen);
        ASSERT_NE(host, nullptr);
        addImages(*host->collectionVCEmbeded, {photo});
        out = dir / ("out" + std::to_string(++runs));
        fs::create_directories(out);
        ASSERT_TRUE(core::storeOutputFolder(app->delegate().defaults(), out));
        auto* run = qobject_cast<controls::Button*>(runButtonOf(screen).button);
        ASSERT_NE(run, nullptr);
        QTest::mouseClick(run, Qt::LeftButton);
        drain();
        core::sharedImageList().removeAll();
        mainQueue->advance(0.5);
        drain();
        ActivityVC* activity = nullptr;
        if (auto* advanced = dynamic_cast<AdvancedMasterVC*>(screen))
            activity = advanced->holder()->activityVC();
        if (auto* list = dynamic_cast<TabListPaneVC*>(screen)) activity = list->holder()->activityVC();
        ASSERT_NE(activity, nullptr);
        ASSERT_TRUE(
            mainQueue->runUntil([&] { return activity->bProcessCompleted(); }, std::chrono::seconds(30)));
        EXPECT_EQ(activity->jobError(), "No images to process.");
        EXPECT_FALSE(activity->isActivityRunning());
        ASSERT_TRUE(
            mainQueue->runUntil([] { return dispatch::runningJobCount() == 0; }, std::chrono::seconds(30)))
            << "a job is still expected";
        EXPECT_TRUE(written().empty());
        clickSegment(0);
        EXPECT_TRUE(questions().empty()) << "leaving the tab asks about a job that never comes";
        EXPECT_EQ(tabBar()->intSegmentSelectedNow, 0);
    }
}

TEST_F(TabsRoadTest, BulkCountsAsRunningFromProceedAndACancelBeforeItsStartWritesNothing) {
    clickSegment(3);
    auto* bulk = dynamic_cast<BulkMasterVC*>(tabScreen());
    ASSERT_NE(bulk, nullptr);
    const auto in = dir / "in";
    testsupport::writeTestImage(in / "a.jpg", 1200, 900, 1);
    testsupport::writeTestImage(in / "b.jpg", 1200, 900, 2);
    addImages(*bulk->collectionVCEmbeded, {in / "a.jpg", in / "b.jpg"});
    auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
    QTest::keyClicks(resizer->txtWidth, "800");
    out = dir / "out";
    fs::create_directories(out);
    auto& settings = app->delegate().defaults();
    ASSERT_TRUE(core::storeOutputFolder(settings, out));
    const auto folderSetting = settings.data(core::kSavingLocationKey);
    const auto step = [&](double seconds) {
        mainQueue->advance(seconds);
        drain();
    };

    QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
    step(0.1);
    ActivityVC* activity = bulk->activityVC();
    ASSERT_NE(activity, nullptr);
    // A tab switch in the first half-second asks, as for a job under way; the user keeps it.
    QTest::mouseClick(segments().findChildren<QAbstractButton*>()[2], Qt::LeftButton);
    drain();
    ASSERT_EQ(questions().size(), 1u) << "the job counts as running from PROCEED";
    EXPECT_EQ(questions().front()->text(), "Stop the running job?");
    answer("Keep Job");
    EXPECT_EQ(tabScreen(), bulk);
    // So does a quit; Keep Working keeps it.
    int quits = 0;
    app->delegate().quitApplication = [&] { ++quits; };
    app->delegate().terminate();
    drain();
    ASSERT_EQ(questions().size(), 1u) << "a quit in the first half-second asks";
    EXPECT_EQ(questions().front()->text(), "A job is running. Stop it and quit?");
    answer("Keep Working");
    EXPECT_EQ(quits, 0);

    // CANCEL at 0.35 s asks too; the start falls due while the user is asked, and waits.
    step(0.25);
    QTest::mouseClick(activity->btnDoneOrCancel, Qt::LeftButton);
    drain();
    ASSERT_EQ(questions().size(), 1u);
    EXPECT_EQ(questions().front()->text(), "Close activity");
    step(0.5);
    EXPECT_FALSE(activity->engine().isRunning()) << "nothing starts while the user is asked";
    answer("Yes");
    step(1.0);
    EXPECT_EQ(bulk->activityVC(), nullptr);
    EXPECT_TRUE(fs::is_empty(out)) << "no job folder";
    EXPECT_EQ(settings.data(core::kSavingLocationKey), folderSetting) << "the output folder setting is kept";
    EXPECT_TRUE(questions().empty());

    // Left alone, the next PROCEED runs as usual.
    ASSERT_TRUE(runFrom(*resizer->btnProceed, *bulk->holder()));
    EXPECT_EQ(written().size(), 2u);
    const auto jobFolders = std::distance(fs::directory_iterator(out), fs::directory_iterator());
    const auto lastJobSetting = settings.data(core::kSavingLocationKey);

    // Stop and Quit in the half-second after a PROCEED: the job never starts and the application quits.
    QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
    step(0.1);
    app->delegate().terminate();
    drain();
    ASSERT_EQ(questions().size(), 1u);
    answer("Stop and Quit");
    step(1.0);
    EXPECT_EQ(quits, 1) << "the quit waits for nothing once the job that was to start is stopped";
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), jobFolders)
        << "no job folder";
    EXPECT_EQ(settings.data(core::kSavingLocationKey), lastJobSetting);
    EXPECT_EQ(dispatch::runningJobCount(), 0u);
}

TEST_F(TabsRoadTest, BulkWritesLargerImagesAtTheTypedWidthSkipsSmallerOnesAndHalvesAtFiftyPercent) {
    clickSegment(3);
    auto* bulk = dynamic_cast<BulkMasterVC*>(tabScreen());
    ASSERT_NE(bulk, nullptr);
    const auto in = dir / "in";
    testsupport::writeTestImage(in / "wide.jpg", 1600, 1200, 1);
    testsupport::writeTestImage(in / "tall.png", 1000, 1400, 2);
    testsupport::writeTestImage(in / "pano.png", 2400, 900, 4);
    testsupport::writeTestImage(in / "small.jpg", 640, 480, 3);
    addImages(*bulk->collectionVCEmbeded,
              {in / "wide.jpg", in / "pano.png", in / "small.jpg", in / "tall.png"});
    EXPECT_EQ(bulk->lblPathorCount->text(), "4 Images");
    auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
    ASSERT_NE(resizer, nullptr);

    QTest::keyClicks(resizer->txtWidth, "800");
    ASSERT_TRUE(runFrom(*resizer->btnProceed, *bulk->holder()));
    auto files = written();
    // A portrait photo takes the typed side on its long side, as every width-only preset does.
    ASSERT_EQ(files.size(), 3u);
    for (const auto& [name, size] : std::map<std::string, std::pair<int, int>>{
             {"wide.jpg", {800, 600}}, {"pano.png", {800, 300}}, {"tall.png", {571, 800}}}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(files.count(name));
        const auto info = image::readImageInfo(files[name]);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->pixelWidth, size.first);
        EXPECT_EQ(info->pixelHeight, size.second);
    }
    const auto skipped = bulk->activityVC()->engine().arrSkipImageSet();
    ASSERT_EQ(skipped.size(), 1u);
    EXPECT_EQ(skipped.front().strFileName, "small.jpg");

    // Back from the results, the slider at 50 % empties the width and halves every image.
    QTest::mouseClick(bulk->activityVC()->btnDoneOrCancel, Qt::LeftButton);
    drain();
    ASSERT_EQ(bulk->activityVC(), nullptr);
    resizer->sliderPercent->setValue(50);
    EXPECT_TRUE(resizer->txtWidth->text().isEmpty());
    ASSERT_TRUE(runFrom(*resizer->btnProceed, *bulk->holder()));
    files = written();
    ASSERT_EQ(files.size(), 4u);
    for (const auto& [name, size] : std::map<std::string, std::pair<int, int>>{{"wide.jpg", {800, 600}},
                                                                               {"pano.png", {1200, 450}},
                                                                               {"tall.png", {500, 700}},
                                                                               {"small.jpg", {320, 240}}}) {
        SCOPED_TRACE(name);
        const auto info = image::readImageInfo(files[name]);
        ASSERT_TRUE(info);
        EXPECT_EQ(info->pixelWidth, size.first);
        EXPECT_EQ(info->pixelHeight, size.second);
    }
}

TEST_F(TabsRoadTest, BulkTakesASecondBatchByItsButtonADropAndTheMenuAlsoWhileItsJobRuns) {
    clickSegment(3);
    auto* bulk = dynamic_cast<BulkMasterVC*>(tabScreen());
    ASSERT_NE(bulk, nullptr);
    screens::CollectionVC& list = *bulk->collectionVCEmbeded;
    const auto in = dir / "in";
    std::vector<fs::path> photos;
    for (int i = 0; i < 9; ++i) {
        photos.push_back(in / ("p" + std::to_string(i) + ".jpg"));
        testsupport::writeTestImage(photos.back(), 1400, 1000, static_cast<unsigned>(i));
    }
    EXPECT_TRUE(bulk->btnAddImages->isHidden()) << "the empty list offers its own Add button";
    addImages(list, {photos[0], photos[1], photos[2], photos[3], photos[4]});
    EXPECT_FALSE(bulk->btnAddImages->isHidden());
    EXPECT_TRUE(app->delegate().menuItem_AddImages->isEnabled());

    struct Door {
        const char* name;
        std::function<void(const fs::path&)> add;
    };
    const Door doors[] = {
        {"button",
         [&](const fs::path& photo) {
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo.string()}});
             QTest::mouseClick(bulk->btnAddImages, Qt::LeftButton);
         }},
        {"drop",
         [&](const fs::path& photo) {
             EXPECT_TRUE(testsupport::dropFiles(list.view(), {photo.string()}).dropAccepted);
         }},
        {"menu",
         [&](const fs::path& photo) {
             appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {photo.string()}});
             app->delegate().menuItem_AddImages->trigger();
         }},
    };
    std::size_t next = 5;
    for (const Door& door : doors) {
        SCOPED_TRACE(door.name);
        const std::size_t before = core::sharedImageList().count();
        door.add(photos[next++]);
        ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == before + 1; }));
        EXPECT_EQ(core::sharedImageList().snapshot().back().strFullPath, photos[next - 1].string());
    }
    mainQueue->advance(1.0);
    drain();
    EXPECT_EQ(bulk->lblPathorCount->text(), "8 Images");

    // A job runs on its own copy of the list: a drop joins the list and the job goes on.
    ActivityVC* activity = startHalfSizeJob(*bulk);
    ASSERT_NE(activity, nullptr);
    EXPECT_TRUE(testsupport::dropFiles(list.view(), {photos[8].string()}).dropAccepted);
    ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == 9; }));
    EXPECT_FALSE(activity->isGotCancel());

    // Files opened from the file manager need the Advanced tab: leaving the running job is asked,
    // once for the files opened together, and keeping it lets the files go.
    const auto openTwo = [&] {
        app->openFiles({photos[0].string(), photos[1].string()});
        drain();
        mainQueue->advance(1.5);
        drain();
    };
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertSecondButtonReturn);
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    openTwo();
    EXPECT_EQ(appkit::ModalScript::takeAlertAnswer(), appkit::ModalResponse::AlertFirstButtonReturn)
        << "asked once";
    EXPECT_EQ(tabScreen(), bulk);
    EXPECT_FALSE(activity->isGotCancel());
    EXPECT_TRUE(Document::pendingURLs().empty());
    EXPECT_EQ(core::sharedImageList().count(), 9u);
    workerHold.reset();
    ASSERT_TRUE(mainQueue->runUntil(
        [&] { return !activity->isActivityRunning() && activity->btnDoneOrCancel->text() == "DONE"; },
        std::chrono::seconds(120)));
    std::size_t written = 0;
    for (const auto& e : fs::recursive_directory_iterator(out)) written += e.is_regular_file();
    EXPECT_EQ(written, 8u) << "the job ran on the eight images it started with";

    // Stopping the job for them shows the Advanced tab with both files.
    QTest::mouseClick(activity->btnDoneOrCancel, Qt::LeftButton);
    drain();
    ASSERT_NE(startHalfSizeJob(*bulk), nullptr);
    appkit::ModalScript::pushAlertAnswer(appkit::ModalResponse::AlertFirstButtonReturn);
    openTwo();
    workerHold.reset();
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 1);
    ASSERT_TRUE(mainQueue->runUntil([] { return core::sharedImageList().count() == 2; }));
    // Images already being worked on when the job stopped finish before the test's folders go.
    EXPECT_TRUE(
        mainQueue->runUntil([] { return dispatch::runningJobCount() == 0; }, std::chrono::seconds(60)));
}

TEST_F(TabsRoadTest, BulkWithoutAFolderOrImagesStartsNothing) {
    clickSegment(3);
    auto* bulk = dynamic_cast<BulkMasterVC*>(tabScreen());
    auto* resizer = dynamic_cast<BulkResizerVC*>(bulk->holder()->optionPane());
    QTest::keyClicks(resizer->txtWidth, "800");
    QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
    drain();
    EXPECT_EQ(bulk->holder()->children().size(), 1u) << "no activity screen slides in over an empty list";

    testsupport::writeTestImage(dir / "in" / "a.jpg", 1200, 900, 1);
    addImages(*bulk->collectionVCEmbeded, {dir / "in" / "a.jpg"});
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    QTest::mouseClick(resizer->btnProceed, Qt::LeftButton);
    drain();
    EXPECT_EQ(bulk->holder()->children().size(), 1u) << "no job starts without an output folder";
    EXPECT_FALSE(app->delegate().defaults().object("UD_SavingLocationData")) << "no folder was chosen";
}

TEST_F(TabsRoadTest, RenameCopiesEveryImageUnderExactlyThePreviewedNameAndLeavesTheOriginals) {
    clickSegment(2);
    auto* rename = dynamic_cast<RenameMasterVC*>(tabScreen());
    ASSERT_NE(rename, nullptr);
    auto* pane = dynamic_cast<RenameOptionTVC*>(rename->holder()->optionPane());
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->btnDone->title(), "PROCEED");
    EXPECT_TRUE(pane->demoView->isHidden());

    const auto in = dir / "in";
    const auto other = dir / "other";
    testsupport::writeTestImage(in / "IMG_0001.jpg", 300, 200, 1);
    testsupport::writeTestImage(in / "img_0002.png", 300, 200, 2);
    testsupport::writeTestImage(in / "Beach.jpg", 300, 200, 3);
    testsupport::writeTestImage(other / "Beach.jpg", 320, 200, 4);  // the same name from another folder
    const std::vector<fs::path> sources = {in / "IMG_0001.jpg", in / "img_0002.png", in / "Beach.jpg",
                                           other / "Beach.jpg"};
    std::map<fs::path, std::string> originals;
    for (const auto& s : sources) originals[s] = bytesOf(s);

    appkit::ModalScript::pushOpenPanelAnswer(
        {appkit::ModalResponse::OK, {sources[0].string(), sources[1].string()}});
    rename->onAddOrPrevImg();
    ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == 2; }));
    mainQueue->advance(1.0);
    drain();

    // Typing one character at a time updates the options and the preview at once, also while more
    // images are still being collected: they join the list all the same, under the new names.
    rename->addImages({sources[2].string(), sources[3].string()});
    QTest::keyClicks(pane->txtPrefix, "trip-");
    ASSERT_TRUE(mainQueue->runUntil([&] { return core::sharedImageList().count() == 4; }));
    mainQueue->advance(1.0);
    drain();
    QTest::keyClicks(pane->txtFind, "IMG");
    QTest::keyClicks(pane->txtReplace, "pic");
    QTest::keyClicks(pane->txtInitialIndex, "5");
    drain();
    const core::RenameOptions options = core::sharedRenameOptions().get();
    EXPECT_EQ(options.renamePrefix, "trip-");
    EXPECT_EQ(options.renameFindText, "IMG");
    EXPECT_EQ(options.renameReplaceText, "pic");
    EXPECT_EQ(options.renameStartIndex, "5");
    EXPECT_EQ(pane->lblPreview->text(), "trip-Photo5.jpg");

    // The names beside the images, as the table shows them.
    std::vector<std::string> shown;
    auto* table = rename->collectionVCEmbeded->tableView.data();
    for (int row = 0; row < 4; ++row) {
        auto* cell = qobject_cast<screens::ImageItemView*>(table->viewAtRow(row));
        ASSERT_NE(cell, nullptr);
        shown.push_back(cell->outputLabel()->text().toStdString());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"trip-pic_00015.jpg", "trip-pic_00026.png", "trip-Beach7.jpg",
                                               "trip-Beach8.jpg"}));

    ASSERT_TRUE(runFrom(*pane->btnDone, *rename->holder()));
    const auto files = written();
    ASSERT_EQ(files.size(), 4u);
    for (std::size_t i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE(shown[i]);
        ASSERT_TRUE(files.count(shown[i]));
        EXPECT_EQ(bytesOf(files.at(shown[i])), originals[sources[i]]) << "a byte-identical copy";
        EXPECT_TRUE(fs::equivalent(files.at(shown[i]).parent_path(), files.begin()->second.parent_path()));
    }
    for (const auto& [source, bytes] : originals) EXPECT_EQ(bytesOf(source), bytes) << "originals untouched";
    // While the activity screen shows, also after its run, the list takes no images.
    EXPECT_FALSE(rename->collectionVCEmbeded->canAcceptImages());
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {sources[0].string()}});
    rename->onAddOrPrevImg();
    drain();
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer()) << "no open panel was shown";
    EXPECT_EQ(core::sharedImageList().count(), 4u);

    // Back on the options, a second run in the same launch writes to the folder chosen before.
    QTest::mouseClick(rename->activityVC()->btnDoneOrCancel, Qt::LeftButton);
    drain();
    ASSERT_EQ(rename->activityVC(), nullptr);
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::Cancel, {}});
    QTest::mouseClick(pane->btnDone, Qt::LeftButton);
    drain();
    EXPECT_TRUE(appkit::ModalScript::takeOpenPanelAnswer()) << "no folder is asked for again";
    mainQueue->advance(0.5);
    ASSERT_NE(rename->activityVC(), nullptr);
    ASSERT_TRUE(mainQueue->runUntil([&] { return rename->activityVC()->btnDoneOrCancel->text() == "DONE"; }));
    std::set<fs::path> jobFolders;
    for (const auto& e : fs::recursive_directory_iterator(out))
        if (e.is_regular_file()) jobFolders.insert(e.path().parent_path());
    EXPECT_EQ(jobFolders.size(), 2u) << "a second job folder beside the first, in the same output folder";
    EXPECT_EQ(std::distance(fs::directory_iterator(in), fs::directory_iterator()), 3);
}

TEST_F(TabsRoadTest, OnRenameFilesOpenedWhileAQuestionOrTheFolderChooserIsUpWaitAndThenAskTheirOwn) {
    clickSegment(2);
    auto* rename = dynamic_cast<RenameMasterVC*>(tabScreen());
    ASSERT_NE(rename, nullptr);
    auto* pane = dynamic_cast<RenameOptionTVC*>(rename->holder()->optionPane());
    ASSERT_NE(pane, nullptr);
    const auto in = dir / "in";
    for (const char* name : {"a.jpg", "b.jpg", "menu.jpg", "opened.jpg", "chooser.jpg"})
        testsupport::writeTestImage(in / name, 300, 200, static_cast<unsigned>(name[0]));
    addImages(*rename->collectionVCEmbeded, {in / "a.jpg", in / "b.jpg"});
    // The run's files are placed only once the user has been asked: it runs while asked.
    auto gate = gateActivityFiles();
    struct Restore {
        std::shared_ptr<GatedFiles> gate;
        ~Restore() {
            gate->open();
            appkit::Storyboard::main().registerController(ids::scene::ActivityVC,
                                                          [] { return std::make_shared<ActivityVC>(); });
        }
    } restore{gate};
    const auto openAndWait = [&](const fs::path& file) {
        app->openFiles({file.string()});
        for (int step = 0; step < 6; ++step) {
            mainQueue->advance(0.25);
            drain();
        }
    };

    // The output folder is asked for in a chooser of its own; a photo opened from the file manager
    // meanwhile waits for it, and the run the user confirms there goes ahead.
    out = dir / "out";
    fs::create_directories(out);
    app->delegate().defaults().removeObject("UD_SavingLocationData");
    int tabUnderChooser = -1;
    std::size_t questionsUnderChooser = 99;
    testsupport::PanelAnswer chooser("Choose the folder for the resized images", [&](QDialog& panel) {
        openAndWait(in / "chooser.jpg");
        tabUnderChooser = tabBar()->intSegmentSelectedNow;
        questionsUnderChooser = questions().size();
        ASSERT_TRUE(testsupport::PanelParts::of(&panel).goTo(out));
        panel.accept();
    });
    QTest::mouseClick(pane->btnDone, Qt::LeftButton);
    ASSERT_TRUE(chooser.acted());
    EXPECT_EQ(tabUnderChooser, 2) << "no tab switch under the chooser";
    EXPECT_EQ(questionsUnderChooser, 0u);
    // Once the chooser has gone the photo comes as if just opened: it needs the Advanced tab, and
    // leaving the run (which counts from PROCEED) is asked.
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }));
    EXPECT_TRUE(questions().front()->informativeText().contains("Switching tabs"));
    // While asked, an image chosen through the menu waits; another opened photo joins the question
    // about opened photos.
    appkit::ModalScript::pushOpenPanelAnswer({appkit::ModalResponse::OK, {(in / "menu.jpg").string()}});
    app->delegate().menuItem_AddImages->trigger();
    openAndWait(in / "opened.jpg");
    ASSERT_EQ(questions().size(), 1u) << "one question at a time";
    EXPECT_TRUE(questions().front()->informativeText().contains("the 2 opened images are not added"))
        << questions().front()->informativeText().toStdString();
    answer("Keep Job");
    // Then the menu's image asks for itself.
    ASSERT_TRUE(mainQueue->runUntil([&] { return questions().size() == 1; }));
    EXPECT_TRUE(questions().front()->informativeText().contains("Adding images"));
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 2);
    answer("Keep Job");
    gate->open();

    ActivityVC* activity = rename->activityVC();
    ASSERT_NE(activity, nullptr);
    ASSERT_TRUE(mainQueue->runUntil([&] { return activity->btnDoneOrCancel->text() == "DONE"; }));
    drain();
    EXPECT_EQ(written().size(), 2u) << "the run started and copied both images";
    EXPECT_EQ(core::sharedImageList().count(), 2u) << "nothing joined the list";
    EXPECT_EQ(tabBar()->intSegmentSelectedNow, 2);
    EXPECT_TRUE(questions().empty());
}

TEST_F(TabsRoadTest, SourcesThatWouldShareANewNameGetDistinctNamesThatStayInTheOutputFolder) {
    clickSegment(2);
    auto* rename = dynamic_cast<RenameMasterVC*>(tabScreen());
    auto* pane = dynamic_cast<RenameOptionTVC*>(rename->holder()->optionPane());
    const auto a = dir / "a" / "IMG_1.jpg";
    const auto b = dir / "b" / "img_1.jpg";
    const auto c = dir / "c" / "IMG_1.jpg";
    testsupport::writeTestImage(a, 200, 100, 1);
    testsupport::writeTestImage(b, 200, 100, 2);
    testsupport::writeTestImage(c, 200, 100, 3);
    addImages(*rename->collectionVCEmbeded, {a, b, c});

    struct Case {
        const char* prefix;
        const char* find;
        const char* replace;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"", "img", "x", {"x_1.jpg", "x_1 (2).jpg", "x_1 (3).jpg"}},
        {"../", "", "", {".._IMG_1.jpg", ".._img_1.jpg", ".._IMG_1 (2).jpg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        pane->txtPrefix->clear();
        pane->txtFind->clear();
        pane->txtReplace->clear();
        QTest::keyClicks(pane->txtPrefix, c.prefix);
        QTest::keyClicks(pane->txtFind, c.find);
        QTest::keyClicks(pane->txtReplace, c.replace);
        QTest::keyClick(pane->txtReplace, Qt::Key_Return);
        std::vector<std::string> names;
        for (const auto& record : core::sharedImageList().snapshot())
            names.push_back(record.updatedUrl ? record.updatedUrl->filename().string() : "");
        EXPECT_EQ(names, c.names);

        ASSERT_TRUE(runFrom(*pane->btnDone, *rename->holder()));
        std::vector<std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(out))
            if (e.is_regular_file()) {
                files.push_back(e.path().filename().string());
                EXPECT_EQ(e.path().parent_path().parent_path(), out) << "inside the job folder";
            }
        std::sort(files.begin(), files.end());
        auto expected = c.names;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(files, expected);
        QTest::mouseClick(rename->activityVC()->btnDoneOrCancel, Qt::LeftButton);
        drain();
    }
}

}  // namespace

namespace {

// A widget's rectangle in the coordinates of `root`.
QRect rectIn(const QWidget* widget, const QWidget* root) {
    return QRect(widget->mapTo(root, QPoint(0, 0)), widget->size());
}

// What a user sees of a Rename or Bulk panel, running or done: a title at the top, the counters as
// one band of equal boxes whose right edge is the result table's, and no empty room between the
// parts (the room a closed preview would take, a strip under the table's rows).
void expectFinishedLook(ActivityVC& activity, const char* state) {
    SCOPED_TRACE(state);
    QWidget* root = activity.view();
    ASSERT_TRUE(activity.lblHeader->isVisibleTo(root));
    EXPECT_FALSE(activity.lblHeader->text().trimmed().isEmpty()) << "the panel has no title";
    EXPECT_LE(rectIn(activity.lblHeader, root).top(), 24) << "the title is not at the top";
    // While it runs the close mark sits in the top right corner, on a target a pointer finds.
    if (activity.btnCancel->isVisibleTo(root)) {
        const QRect close = rectIn(activity.btnCancel, root);
        EXPECT_GE(close.width(), 24);
        EXPECT_GE(close.height(), 24);
        EXPECT_LE(root->width() - 1 - close.right(), 16);
        EXPECT_LE(close.top(), 16);
    }

    std::vector<QRect> counters;
    for (QWidget* box :
         {activity.presetCountView, activity.imagesCountView, activity.durationView, activity.sizeView})
        if (box->isVisibleTo(root)) counters.push_back(rectIn(box, root));
    ASSERT_GE(counters.size(), 2u);
    QWidget* table = activity.childSizeListforResultVC()->view();
    const QRect tableRect = rectIn(table, root);
    int right = 0;
    for (const QRect& c : counters) {
        EXPECT_EQ(c.height(), counters.front().height()) << "counters of different heights";
        EXPECT_EQ(c.width(), counters.front().width()) << "counters of different widths";
        EXPECT_LE(c.height(), 44) << "a counter box taller than its one line";
        EXPECT_GE(c.left(), tableRect.left());
        right = std::max(right, c.right());
    }
    EXPECT_EQ(counters.front().left(), tableRect.left());
    EXPECT_EQ(right, tableRect.right()) << "the counters stop short of the table's right edge";

    // The parts from the title down follow one another with no gap wider than the screen's rhythm.
    std::vector<QRect> parts = {rectIn(activity.lblHeader, root)};
    if (activity.allImageView->isVisibleTo(root)) parts.push_back(rectIn(activity.allImageView, root));
    if (activity.previewView->isVisibleTo(root)) parts.push_back(rectIn(activity.previewView, root));
    QRect band = counters.front();
    for (const QRect& c : counters) band = band.united(c);
    parts.push_back(band);
    parts.push_back(tableRect);
    if (activity.allResultView->isVisibleTo(root)) parts.push_back(rectIn(activity.allResultView, root));
    for (std::size_t i = 1; i < parts.size(); ++i)
        EXPECT_LE(parts[i].top() - parts[i - 1].bottom(), 16) << "an empty hole above part " << i;
    // The table's rows fill it: its room below the caption is its rows' and nothing more.
    auto* rows = activity.childSizeListforResultVC()->tblView;
    const QRect rowsRect = rectIn(rows, root);
    EXPECT_EQ(rowsRect.bottom(), tableRect.bottom());
    EXPECT_EQ(rowsRect.height(), 40 * rows->numberOfRows()) << "an empty strip under the result rows";
    // Without a preview the ring's row is only as tall as the ring.
    if (activity.previewView->isVisibleTo(root) && activity.imgLoadingView->isHidden()) {
        EXPECT_LE(activity.previewView->height(), activity.circularViewProgressView->height() + 24);
    }
}

}  // namespace

TEST_F(TabsRoadTest, TheRenameAndBulkPanelsShowATitleAlignedCountersAndNoHolesRunningAndDone) {
    const auto in = dir / "in";
    std::vector<fs::path> photos;
    for (int i = 0; i < 3; ++i) {
        photos.push_back(in / ("IMG_000" + std::to_string(i + 1) + ".jpg"));
        testsupport::writeTestImage(photos.back(), 1600, 1200, static_cast<unsigned>(i + 1));
    }
    // The jobs' first file waits until the running screen has been looked at: a quick copy cannot end
    // the run before it is seen.
    auto gate = gateActivityFiles();
    for (const int tab : {2, 3}) {
        SCOPED_TRACE(tab == 2 ? "Rename" : "Bulk");
        clickSegment(tab);
        auto* list = dynamic_cast<TabListPaneVC*>(tabScreen());
        ASSERT_NE(list, nullptr);
        OptionsHolderVC* options = list->holder();
        ASSERT_NE(options, nullptr);
        controls::Button* run = nullptr;
        if (auto* pane = dynamic_cast<RenameOptionTVC*>(options->optionPane())) {
            EXPECT_FALSE(pane->btnDone->isEnabled()) << "PROCEED looks ready with no image to rename";
            run = pane->btnDone;
        } else if (auto* resizer = dynamic_cast<BulkResizerVC*>(options->optionPane())) {
            QTest::keyClicks(resizer->txtWidth, "800");
            run = resizer->btnProceed;
        }
        ASSERT_NE(run, nullptr);
        addImages(*list->collectionVCEmbeded, photos);
        EXPECT_TRUE(run->isEnabled());
        bool sawRunning = false;
        ASSERT_TRUE(runFrom(*run, *options, [&](ActivityVC& activity) {
            // Running as the user sees it: the job has named its work and still offers CANCEL.
            if (sawRunning || activity.lblHeader->text().isEmpty() ||
                activity.btnDoneOrCancel->text() != "CANCEL")
                return;
            sawRunning = true;
            expectFinishedLook(activity, "running");
            gate->open();
        }));
        EXPECT_TRUE(sawRunning);
        expectFinishedLook(*options->activityVC(), "done");
        QTest::mouseClick(options->activityVC()->btnDoneOrCancel, Qt::LeftButton);
        drain();
        gate->close();
    }
    gate->open();
    appkit::Storyboard::main().registerController(ids::scene::ActivityVC,
                                                  [] { return std::make_shared<ActivityVC>(); });
}
