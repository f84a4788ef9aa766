#include "Screens/Activity/ActivityImageView.h"

#include <QPainter>

#include "Platform/AppKit/ImageConversion.h"

ActivityImageView::ActivityImageView(QWidget* parent) : appkit::View(parent) {}

void ActivityImageView::setImage(std::optional<image::Image> image) {
    image_ = std::move(image);
    pixels_ = image_ ? appkit::toQImage(*image_) : QImage();
    update();
}

void ActivityImageView::drawContent(QPainter& painter) {
    if (pixels_.isNull() || width() <= 0 || height() <= 0) return;
    const QSize fitted = pixels_.size().scaled(size(), Qt::KeepAspectRatio);
    const QRect target((width() - fitted.width()) / 2, (height() - fitted.height()) / 2, fitted.width(),
                       fitted.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, pixels_);
}
