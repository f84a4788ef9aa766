#include "Screens/Setup/TabScenes.h"

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/BulkResizerVC.h"
#include "Screens/Setup/OptionsHolderVC.h"
#include "Screens/Setup/RenameMasterVC.h"
#include "Screens/Setup/RenameOptionTVC.h"
#include "Screens/Setup/RenameOptionVC.h"

void registerTabScenes(appkit::Storyboard& storyboard, foundation::UserDefaults& defaults,
                       TabSceneHooks hooks) {
    namespace sc = ids::scene;
    storyboard.registerController(sc::BulkMasterVC, [] { return std::make_shared<BulkMasterVC>(); });
    storyboard.registerController(sc::BulkResizeHolderVC,
                                  [] { return std::make_shared<BulkResizeHolderVC>(); });
    storyboard.registerController(sc::BulkResizerVC,
                                  [&defaults] { return std::make_shared<BulkResizerVC>(defaults); });
    storyboard.registerController(sc::RenameMasterVC, [didLoad = hooks.renameMasterDidLoad] {
        auto screen = std::make_shared<RenameMasterVC>();
        screen->didLoad = didLoad;
        return screen;
    });
    storyboard.registerController(sc::RenameHolderVC, [] { return std::make_shared<RenameHolderVC>(); });
    storyboard.registerController(sc::RenameOptionTVC, [&defaults, started = hooks.renameActivityDidStart] {
        auto pane = std::make_shared<RenameOptionTVC>(defaults);
        pane->activityDidStart = started;
        return pane;
    });
    storyboard.registerController(sc::RenameOptionVC, [] { return std::make_shared<RenameOptionVC>(); });
}
