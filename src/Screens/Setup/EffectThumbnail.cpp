#include "Screens/Setup/EffectThumbnail.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "Core/Effects/ImageEffectOption.h"
#include "Core/Job/JobDecisions.h"
#include "Platform/Image/ImageGeometry.h"

namespace setup {

std::optional<image::Image> renderEffectThumbnail(const image::Image& source, const core::FMFilter& effect,
                                                  cg::Size viewSize) {
    const cg::Size p = image::pixelSize(source);
    if (!(p.width > 0 && p.height > 0 && viewSize.width > 0 && viewSize.height > 0)) return std::nullopt;
    if (!std::isfinite(viewSize.width) || !std::isfinite(viewSize.height)) return std::nullopt;
    const auto filtered =
        core::isAutoEnhanceEffect(effect) ? core::applyImageEffectOption(source, 5) : effect.apply(source);
    if (!filtered) return std::nullopt;
    const cg::Size q = image::pixelSize(*filtered);
    if (!(q.width > 0 && q.height > 0)) return std::nullopt;
    const double s = std::max(viewSize.width / q.width, viewSize.height / q.height);
    const cg::Size cover{std::max(1.0, std::floor(q.width * s)), std::max(1.0, std::floor(q.height * s))};
    return image::resized(*filtered, cover);
}

QImage sampleEffectScene() {
    QImage scene(200, 150, QImage::Format_RGB32);
    QPainter p(&scene);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 150);
    sky.setColorAt(0, QColor(70, 130, 200));
    sky.setColorAt(0.6, QColor(250, 190, 120));
    p.fillRect(scene.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 120));
    p.drawEllipse(QPointF(140, 60), 18, 18);
    QPainterPath far;
    far.moveTo(0, 110);
    far.cubicTo(50, 70, 90, 100, 200, 80);
    far.lineTo(200, 150);
    far.lineTo(0, 150);
    p.setBrush(QColor(60, 110, 80));
    p.drawPath(far);
    QPainterPath near;
    near.moveTo(0, 135);
    near.cubicTo(70, 110, 130, 140, 200, 120);
    near.lineTo(200, 150);
    near.lineTo(0, 150);
    p.setBrush(QColor(30, 70, 45));
    p.drawPath(near);
    return scene;
}

}  // namespace setup
