#pragma once
// The opacity of a text label that is not a layered view: read, set at once, or set through the
// current animation group so that it fades. Main thread only.

#include <QWidget>

namespace textfield {

double alphaValue(const QWidget& label);
void setAlphaValue(QWidget& label, double alpha);
// Fades to `alpha` in the current animation group (or with the default duration outside one).
void animateAlphaValue(QWidget& label, double alpha);

}  // namespace textfield
