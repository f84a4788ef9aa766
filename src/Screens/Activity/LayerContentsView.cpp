#include "Screens/Activity/LayerContentsView.h"

#include <QPainter>
#include <cmath>

namespace screens {

void LayerContentsView::setContents(QImage contents) {
    contents_ = std::move(contents);
    update();
}

void LayerContentsView::setContentsGravity(ContentsGravity gravity) {
    gravity_ = gravity;
    update();
}

void LayerContentsView::setContentsGravityNamed(std::string_view name) {
    if (const auto gravity = contentsGravityNamed(name)) setContentsGravity(*gravity);
}

QRectF LayerContentsView::contentsFrame() const {
    const QImage& image = shownImage();
    return screens::contentsRect(QSizeF(image.size()), QRectF(rect()), gravity_);
}

void LayerContentsView::drawContent(QPainter& painter) {
    const QImage& image = shownImage();
    if (image.isNull()) return;
    painter.save();
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(contentsFrame(), image);
    painter.restore();
}

QImage coverCopy(const QImage& image, QSizeF viewSize) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0 || viewSize.isEmpty()) return {};
    const double scale = std::max(viewSize.width() / image.width(), viewSize.height() / image.height());
    const int w = static_cast<int>(std::floor(image.width() * scale));
    const int h = static_cast<int>(std::floor(image.height() * scale));
    if (w < 1 || h < 1) return {};
    return image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace screens
