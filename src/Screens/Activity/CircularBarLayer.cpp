#include "Screens/Activity/CircularBarLayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "Platform/AppKit/KeyPathAnimation.h"

namespace {

// An arc as cubic segments of at most a quarter turn each, in y-up coordinates.
QPainterPath arcPath(cg::Point c, double r, double startDegrees, double endDegrees) {
    const double toRad = std::numbers::pi / 180.0;
    const double sweep = std::clamp(endDegrees - startDegrees, -360.0, 360.0) * toRad;
    const double a0 = startDegrees * toRad;
    const int segments = std::max(1, static_cast<int>(std::ceil(std::abs(sweep) / (std::numbers::pi / 2))));
    const double step = sweep / segments;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    auto at = [&](double a) { return QPointF(c.x + r * std::cos(a), c.y + r * std::sin(a)); };
    QPainterPath path(at(a0));
    for (int i = 0; i < segments; ++i) {
        const double s = a0 + step * i, e = s + step;
        const QPointF p0 = at(s), p3 = at(e);
        const QPointF c1 = p0 + QPointF(-std::sin(s), std::cos(s)) * (k * r);
        const QPointF c2 = p3 - QPointF(-std::sin(e), std::cos(e)) * (k * r);
        path.cubicTo(c1, c2, p3);
    }
    return path;
}

}  // namespace

CircularBarLayer::CircularBarLayer(cg::Color color, bool roundCap, cg::Point center, double radius,
                                   double lineWidth, double startAngle, double endAngle)
    : appkit::Layer(appkit::Layer::Kind::Shape) {
    path = arcPath(center, radius, startAngle, endAngle);
    fillColor = cg::Color::clear();
    strokeColor = color;
    this->lineWidth = lineWidth;
    if (roundCap) lineCap = Qt::RoundCap;
    strokeStart = 0;
    strokeEnd = 0;
}

void CircularBarLayer::setProgress(std::optional<double> value) {
    strokeEnd = value.value_or(0);
    if (host_) host_->update();
}

std::string CircularBarLayer::animationKey() const {
    std::ostringstream key;
    key << "strokeEnd@" << static_cast<const void*>(this);
    return key.str();
}

void CircularBarLayer::animateStrokeEnd(double to, double duration) {
    if (!host_) {
        setProgress(to);
        return;
    }
    host_->removeAnimation(animationKey());
    appkit::KeyPathAnimation animation;
    animation.keyPath = appkit::KeyPath::strokeEnd;
    animation.fromValue = strokeEnd;
    animation.toValue = to;
    animation.duration = duration;
    animation.timingFunction = appkit::TimingFunction::easeOut();
    std::weak_ptr<CircularBarLayer> weak = weak_from_this();
    animation.didStop = [weak](bool finished) {
        if (auto self = weak.lock()) self->animationDidStop(finished);
    };
    strokeEnd = to;
    host_->addAnimation(animation, animationKey(), shared_from_this());
}

void CircularBarLayer::animationDidStop(bool finished) {
    if (finished && completion) completion();
}
