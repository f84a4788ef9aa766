#include "App/PresetListScene.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/PresetListForIOS.h"

void registerPresetListScene(appkit::Storyboard& storyboard) {
    // The activity screen's engine reads the output folder from the same settings the drop stored it
    // in. The application's settings outlive every screen; the pointer does not own them.
    storyboard.registerController(ids::scene::ActivityVC, [] {
        core::BatchEngine::Services services;
        services.defaults =
            std::shared_ptr<foundation::UserDefaults>(std::shared_ptr<void>(), &appSettings());
        return std::make_shared<ActivityVC>(std::move(services));
    });
    storyboard.registerController(ids::scene::PresetListForIOS, [] {
        auto screen = std::make_shared<PresetListForIOS>(appSettings());
        screen->rebuildPresetsMenu = [] {
            if (AppDelegate* delegate = appDelegate()) delegate->rebuildPresetsMenu();
        };
        screen->didLoad = [weak = QPointer<PresetListForIOS>(screen.get())] {
            AppDelegate* delegate = appDelegate();
            if (!delegate || !delegate->tabBarVC) return;
            delegate->tabBarVC->presetListVC = weak.data();
            delegate->presetListDidRegister();
        };
        screen->browseForImages = [](std::function<void(std::vector<std::string>)> completion) {
            AppDelegate* delegate = appDelegate();
            if (!delegate || !delegate->tabBarVC) return;
            delegate->tabBarVC->browseForImages(
                [completion](const std::vector<std::string>& paths) { completion(paths); });
        };
        screen->busyDidChange = [](bool) {
            if (AppDelegate* delegate = appDelegate()) delegate->refreshPresetsMenu();
        };
        screen->activityDidStart = [] {
            if (AppDelegate* delegate = appDelegate()) delegate->enableCancelActivityMenuItem();
        };
        if (AppDelegate* delegate = appDelegate()) {
            delegate->runPresetFromMenu = [weak = QPointer<PresetListForIOS>(screen.get())](
                                              int row, const std::string& name, std::shared_ptr<void> hold) {
                if (weak) weak->runPresetFromMenu(row, name, std::move(hold));
            };
        }
        return screen;
    });
}
