#include "Screens/Activity/ViewImageLive.h"

namespace screens {

ViewImageLive::ViewImageLive(QWidget* parent) : LayerContentsView(parent) {
    resizeEnd_.setSingleShot(true);
    resizeEnd_.setInterval(kResizeEndMilliseconds);
    connect(&resizeEnd_, &QTimer::timeout, this, [this] { viewDidEndLiveResize(); });
}

void ViewImageLive::setImageFillResized(std::optional<QImage> image) {
    imageFillResized_ = std::move(image);
    renderResized();
}

void ViewImageLive::renderResized() {
    setContentsGravity(ContentsGravity::ResizeAspectFill);
    ++renders_;
    setContents(imageFillResized_ ? coverCopy(*imageFillResized_, QSizeF(size())) : QImage());
}

void ViewImageLive::viewDidEndLiveResize() {
    renderResized();
}

void ViewImageLive::resizeEvent(QResizeEvent* event) {
    LayerContentsView::resizeEvent(event);
    if (imageFillResized_) resizeEnd_.start();
}

}  // namespace screens
