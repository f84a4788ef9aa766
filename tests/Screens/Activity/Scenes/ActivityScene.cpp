// activity_scenes OUTDIR STYLE: runs real jobs of generated photos on the activity screen and
// writes OUTDIR/activity-running-STYLE.png (ring part-way, preview on),
// OUTDIR/activity-done-loading-STYLE.png (the done state while its pictures are being made),
// OUTDIR/activity-done-STYLE.png (the done state with its results),
// OUTDIR/activity-running-last-STYLE.png (every image taken up, the last one being written) and
// OUTDIR/activity-error-narrow-STYLE.png (a job with nothing to process, in a side panel's width).

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include "Controls/PushButton.h"
#include "Controls/ScrollBarStyle.h"
#include "Core/Job/OutputFolder.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/BackgroundWork.h"
#include "Platform/Dispatch/ManualQueue.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityImageView.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageWell.h"
#include "Support/SceneStyle.h"

namespace {

// Lets the worker run until its `holdFrom`-th pause, then holds it at each pause until stepped
// past it or released.
class HoldingPacer : public core::Pacer {
  public:
    explicit HoldingPacer(int holdFrom) : holdFrom_(holdFrom) {}
    void pause(double) override {
        std::unique_lock lock(mutex_);
        if (released_ || ++pauses_ < holdFrom_) return;
        holding_ = true;
        changed_.wait(lock, [this] { return released_ || steps_ > 0; });
        if (steps_ > 0) --steps_;
        holding_ = false;
    }
    bool isHolding() {
        std::lock_guard lock(mutex_);
        return holding_ && steps_ == 0;
    }
    void step() {
        std::lock_guard lock(mutex_);
        ++steps_;
        changed_.notify_all();
    }
    void release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }
    // Holds the next job from its first pause on.
    void restart() {
        std::lock_guard lock(mutex_);
        released_ = false;
        pauses_ = 0;
        steps_ = 0;
        holdFrom_ = 1;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int holdFrom_, pauses_ = 0, steps_ = 0;
    bool holding_ = false, released_ = false;
};

core::PresetInfo preset(const std::string& name, double w, double h) {
    return {{"presetName", name},  {"presetWidth", w},          {"presetHeight", h},
            {"presetPercent", -1}, {"outputFormat", "Default"}, {"imageEffectFilter", ""}};
}

bool pump(dispatch::ManualQueue& queue, const std::function<bool()>& done) {
    for (int i = 0; i < 20000; ++i) {
        QApplication::processEvents();
        queue.runUntilIdle();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool save(QWidget& window, const QString& file) {
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
    if (!window.grab().save(file)) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const dispatch::BackgroundWorkScope backgroundWork;
    if (argc < 3) {
        std::fprintf(stderr, "usage: activity_scenes OUTDIR light|dark\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const bool dark = QString(argv[2]) == "dark";
    const QString style = dark ? "dark" : "light";
    testsupport::applySceneStyle(app, dark, new controls::ScrollBarStyle);
    QDir().mkpath(out);
    foundation::setDefaultLocale("en_US");
    auto queue = std::make_shared<dispatch::ManualQueue>("main");
    dispatch::Queue::setMainBackend(queue);
    appkit::AnimationClock::setDurationScale(0);

    const auto work =
        std::filesystem::temp_directory_path() / ("vorta-activity-scene-" + style.toStdString());
    std::filesystem::remove_all(work);
    std::filesystem::create_directories(work / "out");
    auto defaults = std::make_shared<foundation::UserDefaults>(work / "settings.json");
    core::storeOutputFolder(*defaults, work / "out");
    core::JobParameters params;
    std::vector<core::SourceURLInfo> records;
    params.presets = {preset("Web 1920", 960, 640), preset("Thumbnail", 240, 160)};
    for (int i = 0; i < 6; ++i) {
        const auto path = work / "in" / ("IMG_" + std::to_string(4101 + i) + ".jpg");
        testsupport::writeTestImage(path, 1500, 1000, static_cast<unsigned>(i + 3));
        core::SourceURLInfo record;
        record.fillFileDetails(path);
        records.push_back(record);
        params.images.emplace_back(record);
    }
    // The images come from the user's list, which the activity screen shows shrinking.
    core::sharedImageList().replaceAll(records);
    params.forcePreview = true;

    auto pacer = std::make_shared<HoldingPacer>(9);
    appkit::Storyboard::main().registerController(ids::scene::ActivityVC, [defaults, pacer] {
        core::BatchEngine::Services services;
        services.defaults = defaults;
        services.pacer = pacer;
        return std::make_shared<ActivityVC>(services);
    });
    auto holder = std::make_shared<ActivityHolderVC>();
    appkit::Window window;
    window.setWindowTitle("Vorta");
    window.setContentViewController(holder);
    window.resize(980, 700);
    window.show();
    queue->advance(0.3);
    ActivityVC* screen = holder->activityVC();
    if (!screen) return 1;
    screen->resetForNewJob();
    screen->startJob(params);
    bool ok = pump(*queue, [&] { return pacer->isHolding(); }) &&
              save(window, out + "/activity-running-" + style + ".png");
    pacer->release();
    ok = ok && pump(*queue, [&] {
             return !screen->isActivityRunning() && screen->btnDoneOrCancel->text() == "DONE";
         });
    // The pictures of the results are made in the background and handed over on the main queue,
    // which is not run while this picture is taken: every tile is still waiting for its own.
    if (auto* grid = screen->doneResultsGrid()) grid->reloadGrid();
    ok = ok && save(window, out + "/activity-done-loading-" + style + ".png");
    // The results' thumbnails are made in the background; the picture waits for the first ones.
    ok = ok && pump(*queue, [&] {
             auto* grid = screen->doneResultsGrid();
             if (!grid || grid->collImages->visibleIndexes().empty()) return false;
             for (int index : grid->collImages->visibleIndexes()) {
                 auto* item = grid->collImages->itemAtIndex(index);
                 auto* thumb =
                     item ? qobject_cast<screens::ImageWell*>(item->view()->subviews()[1]) : nullptr;
                 if (!thumb || thumb->image().isNull()) return false;
             }
             return true;
         });
    ok = ok && pump(*queue, [] { return true; }) && save(window, out + "/activity-done-" + style + ".png");

    // Every image of a job taken up, its last one still being written: the list's place says so.
    screen->resetForNewJob();
    pacer->restart();
    core::JobParameters last;
    last.presets = {preset("Web 1920", 960, 640)};
    last.images.assign(params.images.begin(), params.images.begin() + 3);
    last.forcePreview = true;
    core::sharedImageList().replaceAll({records.begin(), records.begin() + 3});
    screen->startJob(last);
    bool listFilled = false;
    const auto listEmptied = [&] {
        auto* list = screen->embeddedCollectionVC();
        const int left = list ? list->collImages->numberOfItems() : 0;
        listFilled = listFilled || left > 0;
        return screen->isActivityRunning() && listFilled && left == 0;
    };
    for (int i = 0; ok && i < 40 && !listEmptied(); ++i) {
        ok = pump(*queue, [&] { return pacer->isHolding(); });
        pump(*queue, [] { return true; });
        if (!listEmptied()) pacer->step();
    }
    ok = ok && listEmptied() && save(window, out + "/activity-running-last-" + style + ".png");
    pacer->release();
    ok = ok && pump(*queue, [&] { return !screen->isActivityRunning(); });

    // A job that cannot run (nothing to process) in the preset list's narrow side panel.
    window.resize(350, 700);
    screen->resetForNewJob();
    core::JobParameters nothing;
    nothing.presets = {preset("Web 1920", 960, 640)};
    nothing.forcePreview = true;
    screen->startJob(nothing);
    ok = ok && pump(*queue, [&] { return !screen->jobError().empty(); }) &&
         save(window, out + "/activity-error-narrow-" + style + ".png");
    holder.reset();
    std::filesystem::remove_all(work);
    return ok ? 0 : 1;
}
