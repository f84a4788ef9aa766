#include "Platform/AppKit/TimingFunction.h"

#include <QPointF>

namespace appkit {

TimingFunction TimingFunction::named(const std::string& name) {
    if (name == "easeIn") return easeIn();
    if (name == "easeOut") return easeOut();
    if (name == "easeInEaseOut") return easeInEaseOut();
    if (name == "default") return standard();
    return linear();
}

QEasingCurve TimingFunction::easingCurve() const {
    if (*this == linear()) return QEasingCurve(QEasingCurve::Linear);
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(c1x, c1y), QPointF(c2x, c2y), QPointF(1, 1));
    return curve;
}

}  // namespace appkit
