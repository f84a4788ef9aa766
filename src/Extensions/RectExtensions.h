#pragma once
// Reading and moving a rectangle by its edges, centre and nine anchor points, and the rectangles
// derived from it (replaced origin or size, offsets, insets, a centred rectangle). x and y are the
// stored origin; W and H the width and height as cg::Rect reports them (never negative). Setters move
// the rectangle and keep its stored size. Pure functions on plain values; safe from any thread.

#include "Platform/Graphics/EdgeInsets.h"
#include "Platform/Graphics/Geometry.h"

namespace num {

// Edges and centre lines. minXEdge/minYEdge are the same values as x/y.
inline double x(const cg::Rect& r) {
    return r.origin.x;
}
inline double y(const cg::Rect& r) {
    return r.origin.y;
}
inline double centerX(const cg::Rect& r) {
    return r.origin.x + r.width() * 0.5;
}
inline double centerY(const cg::Rect& r) {
    return r.origin.y + r.height() * 0.5;
}
inline double maxXEdge(const cg::Rect& r) {
    return r.origin.x + r.width();
}
inline double maxYEdge(const cg::Rect& r) {
    return r.origin.y + r.height();
}
void setX(cg::Rect& r, double v);
void setY(cg::Rect& r, double v);
void setCenterX(cg::Rect& r, double v);
void setCenterY(cg::Rect& r, double v);
void setMaxXEdge(cg::Rect& r, double v);
void setMaxYEdge(cg::Rect& r, double v);

// The nine anchor points: min, mid or max along x, then along y.
cg::Point minXMinYPoint(const cg::Rect& r);
cg::Point midXMinYPoint(const cg::Rect& r);
cg::Point maxXMinYPoint(const cg::Rect& r);
cg::Point minXMidYPoint(const cg::Rect& r);
cg::Point center(const cg::Rect& r);
cg::Point maxXMidYPoint(const cg::Rect& r);
cg::Point minXMaxYPoint(const cg::Rect& r);
cg::Point midXMaxYPoint(const cg::Rect& r);
cg::Point maxXMaxYPoint(const cg::Rect& r);
// Writing an anchor point places the rectangle so that the anchor lands on `p`.
void setMinXMinYPoint(cg::Rect& r, cg::Point p);
void setMidXMinYPoint(cg::Rect& r, cg::Point p);
void setMaxXMinYPoint(cg::Rect& r, cg::Point p);
void setMinXMidYPoint(cg::Rect& r, cg::Point p);
void setCenter(cg::Rect& r, cg::Point p);
void setMaxXMidYPoint(cg::Rect& r, cg::Point p);
void setMinXMaxYPoint(cg::Rect& r, cg::Point p);
void setMidXMaxYPoint(cg::Rect& r, cg::Point p);
void setMaxXMaxYPoint(cg::Rect& r, cg::Point p);

// Copies with a part replaced (stored width and height kept unless replaced).
cg::Rect withOrigin(const cg::Rect& r, cg::Point p);
cg::Rect withOrigin(const cg::Rect& r, double x, double y);
cg::Rect withX(const cg::Rect& r, double v);
cg::Rect withY(const cg::Rect& r, double v);
cg::Rect withSize(const cg::Rect& r, cg::Size s);
cg::Rect withSize(const cg::Rect& r, double width, double height);
cg::Rect withWidth(const cg::Rect& r, double v);   // height becomes H
cg::Rect withHeight(const cg::Rect& r, double v);  // width becomes W
cg::Rect withXWidth(const cg::Rect& r, double x, double width);
cg::Rect withYHeight(const cg::Rect& r, double y, double height);

// Offsets of the stored origin.
cg::Rect offsetBy(const cg::Rect& r, cg::Point p);
cg::Rect offsetBy(const cg::Rect& r, double dx, double dy);
cg::Rect offsetByX(const cg::Rect& r, double d);
cg::Rect offsetByY(const cg::Rect& r, double d);
void moveX(cg::Rect& r, double d);
void moveY(cg::Rect& r, double d);

// Insets. inset() shrinks both axes by d on each side, as cg::Rect::insetBy does (the null rectangle
// when nothing is left); the others work on x, y, W and H as given and may leave a negative size.
cg::Rect inset(const cg::Rect& r, double d);
cg::Rect insetX(const cg::Rect& r, double d);
cg::Rect insetY(const cg::Rect& r, double d);
cg::Rect inset(const cg::Rect& r, double minX, double minY, double maxX, double maxY);
// Bottom inset on the y side of the origin, top on the far side: y-up edges, as the insets were given.
cg::Rect inset(const cg::Rect& r, cg::EdgeInsets insets);
// A rectangle of size `s` centred in `r`.
cg::Rect centeredRect(const cg::Rect& r, cg::Size s);

}  // namespace num
