#pragma once
// The harness of the preset list tests: settings in a temporary directory with no output folder yet,
// the built-in presets, generated photos, and the preset list in a shown window whose activity
// panel runs a real engine on the manual main queue.

#include <filesystem>
#include <memory>

#include "Controls/KRActivityIndicatorView.h"
#include "Controls/PushButton.h"
#include "Core/Job/Pacer.h"
#include "Core/Records/DefaultPresets.h"
#include "Core/Records/PresetStore.h"
#include "Core/Records/SharedLists.h"
#include "Core/TestImages.h"
#include "Platform/AppKit/ModalScript.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Foundation/Formatters.h"
#include "Platform/Foundation/UserDefaults.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetCell.h"
#include "Screens/Setup/PresetListForIOS.h"
#include "Screens/Setup/PresetView.h"
#include "Support/TempDir.h"
#include "Support/UiTestFixture.h"

namespace setuptest {

class PresetListTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        foundation::setDefaultLocale("en_US");
        defaults = std::make_shared<foundation::UserDefaults>(dir / "settings.json");
        core::sharedPresetList().replaceAll(core::defaultPresets());
        core::sharedImageList().replaceAll({});
        appkit::Storyboard::main().registerController(ids::scene::ActivityVC, [this] {
            core::BatchEngine::Services s;
            s.defaults = defaults;
            s.parallelImages = 1;
            s.pacer = pacer;
            return std::make_shared<ActivityVC>(s);
        });
        screen = std::make_shared<PresetListForIOS>(*defaults);
        window = std::make_unique<appkit::Window>();
        window->setContentViewController(screen);
        window->resize(1400, 900);
        window->show();
        drain();
        mainQueue->advance(0.3);
        drain();
    }
    void TearDown() override {
        window.reset();
        screen.reset();
        appkit::Storyboard::main().registerController(ids::scene::ActivityVC,
                                                      [] { return std::make_shared<ActivityVC>(); });
        UiTest::TearDown();
    }

    std::filesystem::path photo(const std::string& relative, unsigned seed) const {
        const auto path = dir / "in" / relative;
        testsupport::writeTestImage(path, 1200, 900, seed);
        return path;
    }
    int rowOf(const std::string& name) const {
        const auto list = core::sharedPresetList().snapshot();
        for (std::size_t i = 0; i < list.size(); ++i)
            if (core::presetName(list[i]) == name) return static_cast<int>(i);
        return -1;
    }
    PresetCell* cellAt(int row) const {
        return dynamic_cast<PresetCell*>(screen->collectionView->itemAtIndex(row));
    }
    std::int64_t savedCount(const std::string& name) const {
        foundation::UserDefaults reread(dir / "settings.json");
        for (const auto& preset : core::loadPresetList(reread))
            if (core::presetName(preset) == name) {
                const auto it = preset.find("countUsage");
                return it == preset.end() || !it->second.integerIf() ? 0 : *it->second.integerIf();
            }
        return -1;
    }
    std::int64_t listedCount(int row) const {
        const auto preset = *core::sharedPresetList().at(static_cast<std::size_t>(row));
        const auto it = preset.find("countUsage");
        return it == preset.end() || !it->second.integerIf() ? 0 : *it->second.integerIf();
    }
    // Runs the main queue until the job just asked for has collected its sources, run, and shown its end.
    bool runToEnd() {
        ActivityVC* activity = screen->activityVC_Embedded;
        if (!activity) return false;
        const bool ended = mainQueue->runUntil(
            [&] {
                return screen->loadingIndicatorView->isHidden() && !activity->isActivityRunning() &&
                       (activity->btnDoneOrCancel->text() == "DONE" || !activity->jobError().empty());
            },
            std::chrono::seconds(120));
        drain();
        return ended;
    }
    static std::vector<std::filesystem::path> filesUnder(const std::filesystem::path& folder) {
        std::vector<std::filesystem::path> files;
        if (!std::filesystem::exists(folder)) return files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
        return files;
    }

    testsupport::TempDir dir;
    std::shared_ptr<foundation::UserDefaults> defaults;
    std::shared_ptr<core::CountingPacer> pacer = std::make_shared<core::CountingPacer>();
    std::shared_ptr<PresetListForIOS> screen;
    std::unique_ptr<appkit::Window> window;
};

}  // namespace setuptest
