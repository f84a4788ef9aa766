#pragma once
// ButtonCell: the inner padding of a button's title: the button grows by twice the padding's
// height and draws its title inset by the padding on each side. Main thread only.

#include "Platform/Graphics/Geometry.h"

namespace controls {

class ButtonCell {
  public:
    cg::Size padding{14, 12};

    // The size a cell needs, from the size its content needs: taller by twice padding.height.
    cg::Size cellSizeForBounds(cg::Size contentSize) const;
    cg::Rect titleRectForBounds(const cg::Rect& bounds) const;
    // The frame the interior (title and image) is drawn in.
    cg::Rect interiorFrame(const cg::Rect& frame) const;
};

}  // namespace controls
