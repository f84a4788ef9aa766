#include "Controls/IndicatorShape.h"

#include "Controls/ArcPath.h"
#include "Extensions/AppKit/PathHelpers.h"

namespace controls::indicatorshape {

namespace {

// Factors close to the square root of one half, used as they stand so the pen lands where it did.
constexpr double kCosA = 0.7071068286895752;
constexpr double kSinA = 0.7071067690849304;

bool isStroked(IndicatorShape kind) {
    switch (kind) {
        case IndicatorShape::ring:
        case IndicatorShape::ringTwoArcsVertical:
        case IndicatorShape::ringTwoArcsHorizontal:
        case IndicatorShape::ringThreeQuarters:
        case IndicatorShape::strokedDisc:
            return true;
        default:
            return false;
    }
}

}  // namespace

appkit::BezierPath path(IndicatorShape kind, double w, double h) {
    appkit::BezierPath p;
    const cg::Point c{w / 2, h / 2};
    const double r = w / 2;
    switch (kind) {
        case IndicatorShape::disc:
        case IndicatorShape::ring:
            appendArc(p, c, r, 0, 360, false);
            break;
        case IndicatorShape::circleSegment:
            appendArc(p, c, r, -30, -150, true);
            p.closePath();
            break;
        case IndicatorShape::ringTwoArcsVertical:
            appendArc(p, c, r, -135, -45, false);
            p.moveTo({w / 2 + (w / 2) * -kCosA, h / 2 + (h / 2) * kSinA});
            appendArc(p, c, r, -225, -315, true);
            break;
        case IndicatorShape::ringTwoArcsHorizontal:
            appendArc(p, c, r, 135, 225, false);
            p.moveTo({w / 2 + (w / 2) * kCosA, h / 2 + (h / 2) * -kSinA});
            appendArc(p, c, r, -45, 45, true);
            break;
        case IndicatorShape::ringThreeQuarters:
            appendArc(p, c, r, -45, -135, false);
            break;
        case IndicatorShape::rectangle:
            p.moveTo({0, 0});
            p.lineTo({w, 0});
            p.lineTo({w, h});
            p.lineTo({0, h});
            break;
        case IndicatorShape::triangle: {
            const double d = h / 4;
            p.moveTo({0, h - d});
            p.lineTo({w / 2, h / 2 - d});
            p.lineTo({w, h - d});
            p.closePath();
            break;
        }
        case IndicatorShape::pill:
            break;
        case IndicatorShape::strokedDisc:
            appendArc(p, c, w / 4, 360, 0, true);
            break;
    }
    return p;
}

std::shared_ptr<appkit::Layer> makeLayer(const cg::Color& colour, IndicatorShape kind, double w, double h) {
    auto layer = std::make_shared<appkit::Layer>(appkit::Layer::Kind::Shape);
    if (kind == IndicatorShape::pill) {
        const double radius = std::min({w / 2, std::abs(w) / 2, std::abs(h) / 2});
        layer->path.addRoundedRect(QRectF(0, 0, w, h), std::max(0.0, radius), std::max(0.0, radius));
    } else {
        layer->path = bezierpath::cgPath(path(kind, w, h));
    }
    if (isStroked(kind)) {
        layer->fillColor.reset();
        layer->strokeColor = colour;
        layer->lineWidth = kind == IndicatorShape::strokedDisc ? w / 2 : 2;
    } else {
        layer->fillColor = colour;
    }
    layer->backgroundColor.reset();
    layer->frame = cg::Rect(0, 0, w, h);
    return layer;
}

}  // namespace controls::indicatorshape
