#include "Controls/Box.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include "Controls/BoxPattern.h"
#include "Controls/ImageOperations.h"
#include "Platform/AppKit/LayerPainter.h"
#include "Platform/Foundation/Bundle.h"

namespace controls {

namespace {

std::optional<QImage> bundleImage(const std::string& name) {
    if (name.empty()) return std::nullopt;
    const auto path = foundation::Bundle::main().pathForResource(name, "png");
    if (!path) return std::nullopt;
    QImage image(QString::fromStdString(path->string()));
    if (image.isNull()) return std::nullopt;
    return image;
}

}  // namespace

Box::Box(QWidget* parent)
    : appkit::View(parent),
      GradientShadowStyle(*this, false, {3, -3}),
      imageLookup_(bundleImage),
      randomPick_([](std::uint32_t count) { return QRandomGenerator::global()->bounded(count); }) {}

void Box::setPatternImage(const std::string& pattern) {
    patternImage_ = pattern;
    const std::vector<std::string> entries = BoxPattern::entries(pattern);
    const auto count = static_cast<std::uint32_t>(entries.size());
    const BoxPattern picked = BoxPattern::parse(entries[std::min(randomPick_(count), count - 1)]);
    std::optional<QImage> image = imageLookup_(picked.imageName);
    if (!image) return;
    if (picked.size) *image = image::redrawn(*image, *picked.size, *picked.size);
    if (picked.degrees) *image = image::rotated(*image, *picked.degrees);
    fillPattern_ = *image;
    update();
}

void Box::setFillColor(std::optional<cg::Color> colour) {
    fillColor_ = colour;
    fillPattern_ = QImage();
    update();
}

void Box::paintEvent(QPaintEvent* event) {
    // The fill is the box's own drawing: it lies under its layer's sublayers, as layer content does.
    if (!fillPattern_.isNull() || fillColor_) {
        QPainter painter(this);
        // A rounded layer rounds the fill with it, so a card's corners are never filled square.
        if (layer() && layer()->cornerRadius > 0) {
            painter.setRenderHint(QPainter::Antialiasing);
            QPainterPath shape;
            shape.addRoundedRect(QRectF(rect()), layer()->cornerRadius, layer()->cornerRadius);
            painter.setClipPath(shape);
        }
        if (!fillPattern_.isNull())
            painter.fillRect(rect(), QBrush(fillPattern_));
        else
            painter.fillRect(rect(), appkit::toQColor(*fillColor_));
    }
    appkit::View::paintEvent(event);
}

}  // namespace controls
