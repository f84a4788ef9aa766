#include "Screens/Activity/ImageListScenes.h"

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ImageItemView.h"
#include "Screens/Activity/ImagePreviewItem.h"

namespace screens {

void registerImageListScenes(appkit::Storyboard& storyboard) {
    storyboard.registerController(ids::scene::CollectionVC, [] { return std::make_shared<CollectionVC>(); });
    storyboard.registerController(ids::imagePreview1, [] { return std::make_shared<ImagePreviewItem>(); });
    storyboard.registerView(ids::cellID, [] { return new ImageItemView(ImageItemView::Form::Row); });
}

}  // namespace screens
