#include "Extensions/RectExtensions.h"

namespace num {

namespace {
// Places the rectangle so that the point at (fx * W, fy * H) from its origin lands on p.
void placeAnchor(cg::Rect& r, cg::Point p, double fx, double fy) {
    r.origin = {p.x - r.width() * fx, p.y - r.height() * fy};
}
cg::Point anchor(const cg::Rect& r, double fx, double fy) {
    return {r.origin.x + r.width() * fx, r.origin.y + r.height() * fy};
}
}  // namespace

void setX(cg::Rect& r, double v) {
    r.origin.x = v;
}
void setY(cg::Rect& r, double v) {
    r.origin.y = v;
}
void setCenterX(cg::Rect& r, double v) {
    r.origin.x = v - r.width() * 0.5;
}
void setCenterY(cg::Rect& r, double v) {
    r.origin.y = v - r.height() * 0.5;
}
void setMaxXEdge(cg::Rect& r, double v) {
    r.origin.x = v - r.width();
}
void setMaxYEdge(cg::Rect& r, double v) {
    r.origin.y = v - r.height();
}

cg::Point minXMinYPoint(const cg::Rect& r) {
    return anchor(r, 0, 0);
}
cg::Point midXMinYPoint(const cg::Rect& r) {
    return anchor(r, 0.5, 0);
}
cg::Point maxXMinYPoint(const cg::Rect& r) {
    return anchor(r, 1, 0);
}
cg::Point minXMidYPoint(const cg::Rect& r) {
    return anchor(r, 0, 0.5);
}
cg::Point center(const cg::Rect& r) {
    return anchor(r, 0.5, 0.5);
}
cg::Point maxXMidYPoint(const cg::Rect& r) {
    return anchor(r, 1, 0.5);
}
cg::Point minXMaxYPoint(const cg::Rect& r) {
    return anchor(r, 0, 1);
}
cg::Point midXMaxYPoint(const cg::Rect& r) {
    return anchor(r, 0.5, 1);
}
cg::Point maxXMaxYPoint(const cg::Rect& r) {
    return anchor(r, 1, 1);
}

void setMinXMinYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0, 0);
}
void setMidXMinYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0.5, 0);
}
void setMaxXMinYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 1, 0);
}
void setMinXMidYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0, 0.5);
}
void setCenter(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0.5, 0.5);
}
void setMaxXMidYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 1, 0.5);
}
void setMinXMaxYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0, 1);
}
void setMidXMaxYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 0.5, 1);
}
void setMaxXMaxYPoint(cg::Rect& r, cg::Point p) {
    placeAnchor(r, p, 1, 1);
}

cg::Rect withOrigin(const cg::Rect& r, cg::Point p) {
    return {p, r.size};
}
cg::Rect withOrigin(const cg::Rect& r, double x, double y) {
    return {{x, y}, r.size};
}
cg::Rect withX(const cg::Rect& r, double v) {
    return {{v, r.origin.y}, r.size};
}
cg::Rect withY(const cg::Rect& r, double v) {
    return {{r.origin.x, v}, r.size};
}
cg::Rect withSize(const cg::Rect& r, cg::Size s) {
    return {r.origin, s};
}
cg::Rect withSize(const cg::Rect& r, double width, double height) {
    return {r.origin, {width, height}};
}
cg::Rect withWidth(const cg::Rect& r, double v) {
    return {r.origin, {v, r.height()}};
}
cg::Rect withHeight(const cg::Rect& r, double v) {
    return {r.origin, {r.width(), v}};
}
cg::Rect withXWidth(const cg::Rect& r, double x, double width) {
    return {{x, r.origin.y}, {width, r.height()}};
}
cg::Rect withYHeight(const cg::Rect& r, double y, double height) {
    return {{r.origin.x, y}, {r.width(), height}};
}

cg::Rect offsetBy(const cg::Rect& r, cg::Point p) {
    return offsetBy(r, p.x, p.y);
}
cg::Rect offsetBy(const cg::Rect& r, double dx, double dy) {
    return {{r.origin.x + dx, r.origin.y + dy}, r.size};
}
cg::Rect offsetByX(const cg::Rect& r, double d) {
    return offsetBy(r, d, 0);
}
cg::Rect offsetByY(const cg::Rect& r, double d) {
    return offsetBy(r, 0, d);
}
void moveX(cg::Rect& r, double d) {
    r.origin.x += d;
}
void moveY(cg::Rect& r, double d) {
    r.origin.y += d;
}

cg::Rect inset(const cg::Rect& r, double d) {
    return r.insetBy(d, d);
}
cg::Rect insetX(const cg::Rect& r, double d) {
    return inset(r, d, 0, d, 0);
}
cg::Rect insetY(const cg::Rect& r, double d) {
    return inset(r, 0, d, 0, d);
}
cg::Rect inset(const cg::Rect& r, double minX, double minY, double maxX, double maxY) {
    return {r.origin.x + minX, r.origin.y + minY, r.width() - minX - maxX, r.height() - minY - maxY};
}
cg::Rect inset(const cg::Rect& r, cg::EdgeInsets insets) {
    return inset(r, insets.left, insets.bottom, insets.right, insets.top);
}
cg::Rect centeredRect(const cg::Rect& r, cg::Size s) {
    return {r.origin.x + (r.width() - s.width) * 0.5, r.origin.y + (r.height() - s.height) * 0.5, s.width,
            s.height};
}

}  // namespace num
