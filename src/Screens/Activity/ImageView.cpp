#include "Screens/Activity/ImageView.h"

#include <QEvent>
#include <QPainter>

namespace screens {

ImageView::ImageView(QWidget* parent) : LayerContentsView(parent) {
    setContentsGravity(ContentsGravity::ResizeAspect);
}

void ImageView::setImage(QImage image) {
    imageIsTemplate_ = false;
    setContents(std::move(image));
}

void ImageView::setTemplate(bool on) {
    template_ = on;
    if (contents().isNull()) return;
    imageIsTemplate_ = on;
    tint();
}

void ImageView::tint() {
    tinted_ = {};
    if (imageIsTemplate_ && !contents().isNull()) {
        // A template keeps only its shape; the colour is the style's text colour.
        tinted_ = contents().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&tinted_);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(tinted_.rect(), palette().color(QPalette::WindowText));
    }
    update();
}

const QImage& ImageView::shownImage() const {
    return imageIsTemplate_ && !tinted_.isNull() ? tinted_ : contents();
}

void ImageView::changeEvent(QEvent* event) {
    LayerContentsView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) tint();
}

}  // namespace screens
