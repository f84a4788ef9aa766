#include "Screens/Activity/IKImage.h"

#include "Platform/AppKit/NamedImage.h"

namespace screens {

void IKImage::setImageFill(std::optional<QImage> image) {
    imageFill_ = std::move(image);
    viewImage_ = appkit::imageNamed("blank");
    setAutoFillBackground(false);
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    setContents(imageFill_.value_or(QImage()));
}

void IKImage::setImageSet(std::optional<QImage> image) {
    if (!image || image->isNull()) return;
    imageSet_ = std::move(image);
    viewImage_ = *imageSet_;
    update();
}

const QImage& IKImage::shownImage() const {
    return contents().isNull() ? viewImage_ : contents();
}

}  // namespace screens
