#pragma once
// TagChip: where a tag's rounded chip and its text go, from the rectangle the run's text takes
// (y down), whether the field has a bezel, and the width of "A" in the run's font. A plain value.

#include "Platform/Graphics/Geometry.h"

namespace controls {

struct TagChip {
    cg::Rect chip;
    double cornerRadius = 0;
    cg::Rect text;

    static TagChip forRun(cg::Rect run, bool bezeled, double letterWidth);
};

}  // namespace controls
