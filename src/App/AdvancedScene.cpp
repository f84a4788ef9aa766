#include "App/AdvancedScene.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/AdvancedHolderVC.h"
#include "Screens/Setup/AdvancedMasterVC.h"
#include "Screens/Setup/AdvancedTVC.h"

void registerAdvancedScenes(appkit::Storyboard& storyboard) {
    namespace sc = ids::scene;
    storyboard.registerController(sc::AdvancedMasterVC, [] {
        auto pane = std::make_shared<AdvancedMasterVC>();
        pane->didLoad = [weak = QPointer<AdvancedMasterVC>(pane.get())] {
            AppDelegate* delegate = appDelegate();
            if (delegate && delegate->tabBarVC) delegate->tabBarVC->advancedMasterVC = weak.data();
        };
        return pane;
    });
    storyboard.registerController(sc::AdvancedHolderVC, [] { return std::make_shared<AdvancedHolderVC>(); });
    storyboard.registerController(sc::AdvancedTVC, [] {
        auto options = std::make_shared<AdvancedTVC>(appSettings());
        options->activityDidStart = [] {
            if (AppDelegate* delegate = appDelegate()) delegate->enableCancelActivityMenuItem();
        };
        return options;
    });
}
