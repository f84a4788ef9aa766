#include "Screens/Activity/ActivityScenes.h"

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/ImageListScenes.h"
#include "Screens/Activity/SizeListforResultVC.h"

void registerActivityScenes(appkit::Storyboard& storyboard) {
    auto add = [&](const char* identifier, appkit::Storyboard::ControllerFactory factory) {
        if (!storyboard.hasController(identifier))
            storyboard.registerController(identifier, std::move(factory));
    };
    add(ids::scene::ActivityHolderVC, [] { return std::make_shared<ActivityHolderVC>(); });
    add(ids::scene::ActivityVC, [] { return std::make_shared<ActivityVC>(); });
    add(ids::scene::SizeListforResultVC, [] { return std::make_shared<SizeListforResultVC>(); });
    add(ids::scene::CollectionDoneorSkippedVC, [] { return std::make_shared<CollectionDoneorSkippedVC>(); });
    // The results grid shares the image list's item and cell.
    if (!storyboard.hasController(ids::imagePreview1)) screens::registerImageListScenes(storyboard);
}
