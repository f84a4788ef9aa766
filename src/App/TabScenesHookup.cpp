#include "App/TabScenesHookup.h"

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/RenameMasterVC.h"
#include "Screens/Setup/TabScenes.h"

void registerAppTabScenes(appkit::Storyboard& storyboard) {
    TabSceneHooks hooks;
    hooks.renameMasterDidLoad = [](RenameMasterVC& screen) {
        AppDelegate* delegate = appDelegate();
        if (delegate && delegate->tabBarVC) delegate->tabBarVC->renameMasterVC = &screen;
    };
    hooks.renameActivityDidStart = [](ActivityVC&) {
        if (AppDelegate* delegate = appDelegate()) delegate->enableCancelActivityMenuItem();
    };
    registerTabScenes(storyboard, appSettings(), std::move(hooks));
}
