#include "Screens/Activity/ImageWell.h"

#include <QPainter>
#include <QPainterPath>
#include <QTimerEvent>
#include <algorithm>
#include <map>

#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/LayerPainter.h"
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

constexpr double kTileRadius = 4.0;

// The current look's label colour at `alpha`: the fill and ink of the neutral tiles.
QColor labelTint(double alpha) {
    cg::Color colour = controls::SystemAppearance::labelColor(controls::interfacestyle::current());
    colour.alpha = alpha;
    return appkit::toQColor(colour);
}

// A neutral tile with a small picture sign: where a thumbnail could not be made.
void paintPlaceholder(QPainter& p, const QRect& frame) {
    p.fillRect(frame, labelTint(0.08));
    const QColor inkColour = labelTint(0.3);
    const double side = std::clamp(std::min(frame.width(), frame.height()) * 0.3, 12.0, 40.0);
    const QRectF sign(frame.center().x() - side / 2, frame.center().y() - side * 0.4, side, side * 0.8);
    p.setPen(QPen(inkColour, std::max(1.0, side / 14)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(sign, side / 10, side / 10);
    // A hill and a sun inside the frame.
    QPainterPath hill;
    hill.moveTo(sign.left() + side * 0.1, sign.bottom() - side * 0.1);
    hill.lineTo(sign.left() + side * 0.4, sign.top() + side * 0.35);
    hill.lineTo(sign.left() + side * 0.6, sign.top() + side * 0.55);
    hill.lineTo(sign.left() + side * 0.72, sign.top() + side * 0.45);
    hill.lineTo(sign.right() - side * 0.1, sign.bottom() - side * 0.1);
    hill.closeSubpath();
    p.fillPath(hill, inkColour);
    p.setBrush(inkColour);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(sign.right() - side * 0.25, sign.top() + side * 0.22), side * 0.08, side * 0.08);
}

// A neutral tile with a turning arc in its middle: a picture on its way.
void paintSpinner(QPainter& p, const QRect& frame, int step) {
    p.fillRect(frame, labelTint(0.05));
    const double side = std::clamp(std::min(frame.width(), frame.height()) * 0.28, 12.0, 28.0);
    const QRectF circle(frame.center().x() - side / 2, frame.center().y() - side / 2, side, side);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(labelTint(0.12), std::max(2.0, side / 9)));
    p.drawEllipse(circle);
    p.setPen(QPen(labelTint(0.45), std::max(2.0, side / 9), Qt::SolidLine, Qt::RoundCap));
    // Qt's angles are in sixteenths of a degree, counter-clockwise: the arc turns clockwise by steps.
    p.drawArc(circle, (90 - step * 30) * 16, -100 * 16);
}

}  // namespace

ImageWell::ImageWell(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageWell::setImage(QImage image) {
    image_ = std::move(image);
    imageName_.clear();
    loading_ = false;
    updateSpinner();
    update();
    Q_EMIT imageChanged();
}

void ImageWell::setImageNamed(const std::string& name) {
    image_ = markOrNamedImage(name);
    imageName_ = name;
    loading_ = false;
    updateSpinner();
    update();
    Q_EMIT imageChanged();
}

void ImageWell::setFillsFrame(bool fills) {
    if (fills == fillsFrame_) return;
    fillsFrame_ = fills;
    updateSpinner();
    update();
    Q_EMIT imageChanged();
}

void ImageWell::setLoading(bool loading) {
    if (loading == loading_) return;
    loading_ = loading;
    updateSpinner();
    update();
}

void ImageWell::updateSpinner() {
    // The spinner turns only while it can be seen.
    const bool turning = loading_ && image_.isNull() && fillsFrame_ && isVisible();
    if (turning && !spinnerTimer_) spinnerTimer_ = startTimer(80);
    if (!turning && spinnerTimer_) {
        killTimer(spinnerTimer_);
        spinnerTimer_ = 0;
    }
}

void ImageWell::timerEvent(QTimerEvent* event) {
    if (event->timerId() != spinnerTimer_) return QWidget::timerEvent(event);
    spinnerStep_ = (spinnerStep_ + 1) % 12;
    update();
}

void ImageWell::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    updateSpinner();
}

void ImageWell::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    updateSpinner();
}

QRect ImageWell::imageRect() const {
    if (fillsFrame_ || image_.isNull() || width() <= 0 || height() <= 0) return rect();
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
}

void ImageWell::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    if (!fillsFrame_) {
        if (image_.isNull()) return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(imageRect(), image_);
        return;
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath frame;
    frame.addRoundedRect(QRectF(rect()), kTileRadius, kTileRadius);
    p.setClipPath(frame);
    if (image_.isNull()) {
        if (loading_)
            paintSpinner(p, rect(), spinnerStep_);
        else
            paintPlaceholder(p, rect());
        return;
    }
    // Scaled to cover the frame and centred: every tile of a row shows a picture of the same size.
    const QSize covering = image_.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
    p.drawImage(QRect(QPoint((width() - covering.width()) / 2, (height() - covering.height()) / 2), covering),
                image_);
}

}  // namespace screens
