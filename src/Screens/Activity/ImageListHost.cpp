#include "Screens/Activity/ImageListHost.h"

#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/ListAddition.h"

namespace screens {

void ImageListHost::addImages(const std::vector<std::string>& paths, std::shared_ptr<ListAddition> addition) {
    const QPointer<CollectionVC> list = collectionVCEmbeded;
    if (!list || paths.empty()) return;
    // Kept from the list (the user keeps the job), the change and its addition go unrun.
    confirmListChange(ListChange::Adding, [list, paths, addition = std::move(addition)] {
        if (list) list->addImages(paths, addition);
    });
}

}  // namespace screens
