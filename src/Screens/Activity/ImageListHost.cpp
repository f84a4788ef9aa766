#include "Screens/Activity/ImageListHost.h"

#include "Screens/Activity/CollectionVC.h"

namespace screens {

void ImageListHost::addImages(const std::vector<std::string>& paths) {
    const QPointer<CollectionVC> list = collectionVCEmbeded;
    if (!list || paths.empty()) return;
    confirmListChange(ListChange::Adding, [list, paths] {
        if (list) list->addImages(paths);
    });
}

}  // namespace screens
