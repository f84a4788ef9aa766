#pragma once
// The ten shape kinds the activity indicator's layers are drawn from, and the factory that makes a
// shape layer of one kind, size and colour. Main thread only (layers belong to views).

#include <memory>

#include "Platform/AppKit/BezierPath.h"
#include "Platform/AppKit/Layer.h"

namespace controls {

enum class IndicatorShape {
    disc,
    circleSegment,
    ring,
    ringTwoArcsVertical,
    ringTwoArcsHorizontal,
    ringThreeQuarters,
    rectangle,
    triangle,
    pill,
    strokedDisc
};

namespace indicatorshape {

// The outline of a kind in a w x h box, y up (the pill is made by the layer from a rounded rectangle).
appkit::BezierPath path(IndicatorShape kind, double w, double h);
// A new shape layer framed at (0, 0, w, h), filled or stroked in `colour`.
std::shared_ptr<appkit::Layer> makeLayer(const cg::Color& colour, IndicatorShape kind, double w, double h);

}  // namespace indicatorshape

}  // namespace controls
