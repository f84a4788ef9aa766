#pragma once
// The styling properties every view offers to interface code: the process-wide accent switch, the
// layer background and the opacity. Main thread only, like the views themselves.

#include "Platform/AppKit/View.h"
#include "Platform/Graphics/Color.h"

namespace view {

// One switch for the whole process, false at launch: whatever view it is read through, it is the same.
bool colorAccent(const appkit::View& view);
// Stores the switch. Switching on also paints `view`'s layer, when it has one, in the accent colour
// (where accent colours are offered); switching off repaints nothing.
void setColorAccent(appkit::View& view, bool on);

// The layer background, or the clear colour without a layer or background. Never makes a layer.
cg::Color background(const appkit::View& view);
// Makes the view layer-backed and sets its background; absent clears it.
void setBackground(appkit::View& view, std::optional<cg::Color> colour);

double alpha(const appkit::View& view);
void setAlpha(appkit::View& view, double alpha);

// A colour counts as unset when it equals the clear colour.
inline bool isClear(const cg::Color& c) {
    return c == cg::Color::clear();
}

}  // namespace view
