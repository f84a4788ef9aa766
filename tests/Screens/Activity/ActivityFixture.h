#pragma once
// The harness of the activity screen tests: settings with an output folder in a temporary
// directory, generated photos, an activity container in a shown window on the manual main queue,
// and a pacer that can hold the job's worker at its first pause.

#include <QTextDocumentFragment>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>

#include "Controls/PushButton.h"
#include "Core/Job/OutputFolder.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/Formatters.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/ActivityVC.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace activitytest {

// Holds the worker at its first pause until released; later pauses return at once.
class HoldingPacer : public core::Pacer {
  public:
    void pause(double) override {
        std::unique_lock lock(mutex_);
        if (held_) return;
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return released_; });
    }
    bool isHolding() const {
        std::lock_guard lock(mutex_);
        return held_ && !released_;
    }
    void release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

  private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool held_ = false, released_ = false;
};

inline core::PresetInfo sizedPreset(const std::string& name, double w, double h) {
    return {{"presetName", name},  {"presetWidth", w},          {"presetHeight", h},
            {"presetPercent", -1}, {"outputFormat", "Default"}, {"imageEffectFilter", ""}};
}

inline std::string plainText(const QString& richText) {
    return QTextDocumentFragment::fromHtml(richText).toPlainText().toStdString();
}

class ActivityTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        foundation::setDefaultLocale("en_US");
        defaults = std::make_shared<foundation::UserDefaults>(dir / "settings.json");
        std::filesystem::create_directories(out());
        ASSERT_TRUE(core::storeOutputFolder(*defaults, out()));
    }
    void TearDown() override {
        window.reset();
        holder.reset();
        appkit::Storyboard::main().registerController(ids::scene::ActivityVC,
                                                      [] { return std::make_shared<ActivityVC>(); });
        UiTest::TearDown();
        if (pacer) pacer->release();
    }

    std::filesystem::path out() const { return dir / "out"; }
    std::filesystem::path source(const std::string& name, int w, int h, unsigned seed = 1) const {
        const auto path = dir / "in" / name;
        testsupport::writeTestImage(path, w, h, seed);
        return path;
    }

    core::BatchEngine::Services services() {
        core::BatchEngine::Services s;
        s.defaults = defaults;
        s.parallelImages = 1;
        s.now = [] { return foundation::Date(1'796'557'527); };
        s.pacer = pacer;
        return s;
    }

    // An activity container in a shown window, as the tab screens bring it in.
    ActivityVC& openScreen() {
        appkit::Storyboard::main().registerController(
            ids::scene::ActivityVC, [this] { return std::make_shared<ActivityVC>(services()); });
        holder = std::make_shared<ActivityHolderVC>();
        window = std::make_unique<appkit::Window>();
        window->setContentViewController(holder);
        window->resize(900, 700);
        window->show();
        drain();
        mainQueue->advance(0.3);
        drain();
        return *holder->activityVC();
    }

    core::JobParameters job(std::vector<core::PresetInfo> presets,
                            const std::vector<std::filesystem::path>& paths) {
        core::JobParameters params;
        params.presets = std::move(presets);
        for (const auto& p : paths) params.images.emplace_back(p);
        return params;
    }

    // Runs the main queue until the screen shows the end of its job; `sample` runs between blocks.
    bool runToEnd(ActivityVC& screen, const std::function<void()>& sample = {}) {
        const bool ended = mainQueue->runUntil(
            [&] {
                if (sample) sample();
                return !screen.isActivityRunning() &&
                       (screen.btnDoneOrCancel->text() == "DONE" || !screen.jobError().empty());
            },
            std::chrono::seconds(120));
        drain();
        return ended;
    }

    testsupport::TempDir dir;
    std::shared_ptr<foundation::UserDefaults> defaults;
    std::shared_ptr<HoldingPacer> pacer;
    std::shared_ptr<ActivityHolderVC> holder;
    std::unique_ptr<appkit::Window> window;
};

}  // namespace activitytest
