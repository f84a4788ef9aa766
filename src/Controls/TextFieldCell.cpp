#include "Controls/TextFieldCell.h"

#include <cmath>

namespace controls {

cg::Size TextFieldCell::cellSizeForBounds(cg::Size baseSize) const {
    return {baseSize.width, baseSize.height + 2 * padding.height};
}

cg::Rect TextFieldCell::titleRectForBounds(const cg::Rect& bounds) const {
    return cg::Rect(bounds.origin.x + padding.width, bounds.origin.y + padding.height,
                    bounds.size.width - 2 * padding.width, bounds.size.height - 2 * padding.height);
}

void TextFieldCell::install(QLineEdit& field) const {
    const int across = static_cast<int>(std::lround(padding.width));
    const int down = static_cast<int>(std::lround(padding.height));
    field.setTextMargins(across, down, across, down);
}

}  // namespace controls
