#pragma once
// TextFieldCell: keeps a field's text away from its edges by a padding (14 across, 12 down by
// default). Installed on a field it becomes the field's text margins; its size arithmetic is what
// the field reports. Main thread only.

#include <QLineEdit>

#include "Platform/Graphics/Geometry.h"

namespace controls {

class TextFieldCell {
  public:
    cg::Size padding{14, 12};

    // The base size made taller by twice the vertical padding; the width stays.
    cg::Size cellSizeForBounds(cg::Size baseSize) const;
    // The rectangle the text gets: `bounds` inset by the padding on every side.
    cg::Rect titleRectForBounds(const cg::Rect& bounds) const;
    // Gives `field` this cell's padding as its text margins.
    void install(QLineEdit& field) const;
};

}  // namespace controls
