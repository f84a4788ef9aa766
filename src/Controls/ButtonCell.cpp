#include "Controls/ButtonCell.h"

namespace controls {

namespace {
cg::Rect inset(const cg::Rect& r, cg::Size by) {
    return cg::Rect(r.origin.x + by.width, r.origin.y + by.height, r.size.width - 2 * by.width,
                    r.size.height - 2 * by.height);
}
}  // namespace

cg::Size ButtonCell::cellSizeForBounds(cg::Size contentSize) const {
    return {contentSize.width, contentSize.height + 2 * padding.height};
}

cg::Rect ButtonCell::titleRectForBounds(const cg::Rect& bounds) const {
    return inset(bounds, padding);
}

cg::Rect ButtonCell::interiorFrame(const cg::Rect& frame) const {
    return inset(frame, padding);
}

}  // namespace controls
