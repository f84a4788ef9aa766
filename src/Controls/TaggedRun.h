#pragma once
// TaggedRun: a run of a field's text with the attributes a tag chip reads: whether it is a tag
// ("Tag"), its chip fill ("TaggedBackground"), outline ("TaggedBorderColor"), text colour
// ("TaggedForegroundColor") and font. Absent values take the chip's defaults. A plain value.

#include <QFont>
#include <optional>

#include "Platform/Graphics/Color.h"

namespace controls {

struct TaggedRun {
    int location = 0;  // in UTF-16 code units of the field's text
    int length = 0;
    bool tag = false;
    std::optional<cg::Color> background;
    std::optional<cg::Color> border;
    std::optional<cg::Color> foreground;
    std::optional<QFont> font;
};

}  // namespace controls
