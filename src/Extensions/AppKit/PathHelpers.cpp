#include "Extensions/AppKit/PathHelpers.h"

namespace bezierpath {

QPainterPath cgPath(const appkit::BezierPath& path) {
    QPainterPath out;
    auto q = [](cg::Point p) { return QPointF(p.x, p.y); };
    for (const auto& element : path.elements()) {
        switch (element.type) {
            case appkit::BezierPath::ElementType::MoveTo:
                out.moveTo(q(element.points[0]));
                break;
            case appkit::BezierPath::ElementType::LineTo:
                out.lineTo(q(element.points[0]));
                break;
            case appkit::BezierPath::ElementType::CurveTo:
                out.cubicTo(q(element.points[0]), q(element.points[1]), q(element.points[2]));
                break;
            case appkit::BezierPath::ElementType::ClosePath:
                out.closeSubpath();
                break;
        }
    }
    return out;
}

}  // namespace bezierpath
