#pragma once
// ImagePreviewItem: the grid item of the image list ("imagePreview1"), whose view is an
// ImageItemView in its grid form. The list draws its selection; the item draws nothing of its own.
// Main thread only.

#include "Platform/AppKit/CollectionViewItem.h"

namespace screens {

class ImageItemView;

class ImagePreviewItem : public appkit::CollectionViewItem {
    Q_OBJECT
  public:
    ImageItemView* itemView();

  protected:
    void loadView() override;
};

}  // namespace screens
