#pragma once
// Turning a bezier path into the graphics path layers draw (QPainterPath), element by element.

#include <QPainterPath>

#include "Platform/AppKit/BezierPath.h"

namespace bezierpath {

QPainterPath cgPath(const appkit::BezierPath& path);
inline QPainterPath quartzPath(const appkit::BezierPath& path) {
    return cgPath(path);
}

}  // namespace bezierpath
