#include "Controls/ImageOperations.h"

#include <QPainter>
#include <QTransform>

#include "Platform/AppKit/LayerPainter.h"

namespace controls::image {

QImage redrawn(const QImage& image, int width, int height) {
    QImage out(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    if (out.isNull() || image.isNull()) return out;
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, width, height), image);
    return out;
}

QImage rotated(const QImage& image, double degrees) {
    if (image.isNull()) return image;
    QTransform turn;
    turn.rotate(-degrees);  // Qt's y runs down: a negative angle turns counter-clockwise on screen
    const QRectF box = turn.mapRect(QRectF(image.rect()));
    QImage out(static_cast<int>(std::lround(box.width())), static_cast<int>(std::lround(box.height())),
               QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(out.width() / 2.0, out.height() / 2.0);
    p.rotate(-degrees);
    p.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
    return out;
}

QImage tinted(const QImage& image, const cg::Color& colour) {
    if (image.isNull()) return image;
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    p.fillRect(out.rect(), appkit::toQColor(colour));
    return out;
}

}  // namespace controls::image
