#include "App/MainStoryboard.h"

#include <memory>

#include "App/AdvanceVCIPad.h"
#include "App/AdvancedScene.h"
#include "App/DarkVC.h"
#include "App/PresetEditorScene.h"
#include "App/PresetListScene.h"
#include "App/TabBarVC.h"
#include "App/TabScenesHookup.h"
#include "App/ViewController.h"
#include "App/WelcomePageCtrl.h"
#include "App/switchVC.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ImageListScenes.h"

void registerShellScenes(appkit::Storyboard& storyboard) {
    namespace sc = ids::scene;
    storyboard.registerController(sc::switchVC, [] { return std::make_shared<switchVC>(); });
    storyboard.registerController(sc::WelcomePageCtrl, [] { return std::make_shared<WelcomePageCtrl>(); });
    storyboard.registerController(sc::TabBarVC, [] { return std::make_shared<TabBarVC>(); });
    registerPresetListScene(storyboard);
    registerAppTabScenes(storyboard);
    registerPresetEditorScenes(storyboard);
    registerAdvancedScenes(storyboard);
    storyboard.registerController("DarkVC", [] { return std::make_shared<DarkVC>(); });
    storyboard.registerController("AdvanceVCIPad", [] { return std::make_shared<AdvanceVCIPad>(); });
    storyboard.registerController("ViewController", [] { return std::make_shared<ViewController>(); });
    screens::registerImageListScenes(storyboard);
}
