#pragma once
// ImageListShell: what an image list needs of the tab switcher that holds its screen: the one open
// panel for adding images, the tab showing, and the QuickLook preview of the list. The tab
// switcher implements it; a list finds it among its ancestor controllers. Main thread only.

#include <functional>
#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"

namespace appkit {
class CollectionView;
class TableView;
}  // namespace appkit

namespace screens {

class ImageListShell {
  public:
    virtual ~ImageListShell() = default;

    // Shows the open panel; `completion` gets the chosen paths (folders end in "/") on OK only.
    virtual void browseForImages(std::function<void(const std::vector<std::string>&)> completion) = 0;
    // 0 the preset list, 1 Advanced, 2 Rename, 3 Bulk.
    virtual int selectedTab() const = 0;
    // Hands the images to preview and the list view that has the focus (the other null) to the
    // preview panel, then shows or hides the panel.
    virtual void setPreviewItems(std::vector<core::SourceURLInfo> images, appkit::CollectionView* grid,
                                 appkit::TableView* table) = 0;
    virtual void toggleQuickLookPreview() = 0;
};

}  // namespace screens
