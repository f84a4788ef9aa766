#include "Screens/Activity/ImageWell.h"

#include <QPainter>
#include <QPainterPath>
#include <map>

#include "Platform/AppKit/NamedImage.h"

namespace screens {
namespace {

// The mark images when the resources do not bring them: a ring, filled and ticked when marked.
QImage drawnMarkImage(bool marked) {
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A dark rim outside the white ring keeps the mark visible on a white photo or background.
    p.setPen(QPen(QColor(0, 0, 0, 150), 5.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 3, 34, 34));
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(marked ? QColor(0, 122, 255) : QColor(0, 0, 0, 90));
    p.drawEllipse(QRectF(3, 3, 34, 34));
    if (marked) {
        QPainterPath tick;
        tick.moveTo(11, 21);
        tick.lineTo(18, 28);
        tick.lineTo(30, 13);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return image;
}

// Every item of a long list shows a mark image: each is read or drawn once (main thread only).
const QImage& markOrNamedImage(const std::string& name) {
    static std::map<std::string, QImage> loaded;
    auto it = loaded.find(name);
    if (it != loaded.end()) return it->second;
    QImage named = appkit::imageNamed(name);
    if (named.isNull() && (name == "select" || name == "deselect")) named = drawnMarkImage(name == "select");
    return loaded.emplace(name, std::move(named)).first->second;
}

}  // namespace

ImageWell::ImageWell(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageWell::setImage(QImage image) {
    image_ = std::move(image);
    imageName_.clear();
    update();
    Q_EMIT imageChanged();
}

void ImageWell::setImageNamed(const std::string& name) {
    image_ = markOrNamedImage(name);
    imageName_ = name;
    update();
    Q_EMIT imageChanged();
}

QRect ImageWell::imageRect() const {
    if (image_.isNull() || width() <= 0 || height() <= 0) return rect();
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void ImageWell::paintEvent(QPaintEvent*) {
    if (image_.isNull() || width() <= 0 || height() <= 0) return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(imageRect(), image_);
}

}  // namespace screens
