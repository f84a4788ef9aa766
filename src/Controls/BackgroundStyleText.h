#pragma once
// How a title reads on a background style (0 normal, 1 emphasized, 2 raised, 3 lowered): light on
// an emphasized (selected) background, with a light edge below when raised and a dark edge above
// when lowered, as engraved and embossed labels look. Main thread only.

#include <QPainter>
#include <QString>

#include "Platform/Graphics/Color.h"

class QWidget;

namespace controls {

// The title colour to use on `style`: emphasized titles turn white, keeping their opacity.
cg::Color titleColorOnBackground(cg::Color colour, int style);
// Draws `text` with its baseline at `baseline` in `colour` on `style`, edge included.
void drawTitleOnBackground(QPainter& painter, QPointF baseline, const QString& text, cg::Color colour,
                           int style);
// Gives a text widget (a field) the same look through its TextFieldEffect, beside any fade it
// has; normal removes the edge.
void applyBackgroundStyle(QWidget& widget, int style);

}  // namespace controls
