#pragma once
// Appending a circular arc to a bezier path the way the platform's drawing paths do it: angles in
// degrees counted counter-clockwise in y-up coordinates; a clockwise arc sweeps down to its end,
// a counter-clockwise one up to it (at most one full turn); a line joins a path that already has
// points, a move starts an empty one. Pure.

#include "Platform/AppKit/BezierPath.h"

namespace controls {

// The signed sweep in degrees the rule gives for these angles.
double arcSweep(double startDegrees, double endDegrees, bool clockwise);
void appendArc(appkit::BezierPath& path, cg::Point centre, double radius, double startDegrees,
               double endDegrees, bool clockwise);

}  // namespace controls
