#pragma once
// The autoresizing rule: how a subview's or sublayer's frame follows a change of its container's
// size, by its mask. Plain functions on values.

#include "Platform/Graphics/Geometry.h"

namespace appkit {

namespace Autoresizing {
inline constexpr unsigned None = 0, MinXMargin = 1, WidthSizable = 2, MaxXMargin = 4, MinYMargin = 8,
                          HeightSizable = 16, MaxYMargin = 32;
}

// `frame` (in its container's coordinates) after the container grew by `dw` and `dh`: each axis
// shares the change equally among its flexible parts (the two margins and the size).
cg::Rect autoresized(cg::Rect frame, unsigned mask, double dw, double dh);

}  // namespace appkit
