#include "Screens/Activity/ImagePreviewItem.h"

#include "Screens/Activity/ImageItemView.h"

namespace screens {

ImageItemView* ImagePreviewItem::itemView() {
    return qobject_cast<ImageItemView*>(view());
}

void ImagePreviewItem::loadView() {
    setView(new ImageItemView(ImageItemView::Form::Grid));
}

}  // namespace screens
