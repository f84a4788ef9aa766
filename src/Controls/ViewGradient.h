#pragma once
// ViewGradient: a plain view with the shared gradient and shadow; the gradient follows the view's
// corner radius. Main thread only.

#include "Controls/GradientShadowStyle.h"
#include "Platform/AppKit/View.h"

namespace controls {

class ViewGradient : public appkit::View, public GradientShadowStyle {
    Q_OBJECT
  public:
    explicit ViewGradient(QWidget* parent = nullptr)
        : appkit::View(parent), GradientShadowStyle(*this, true) {}
};

}  // namespace controls
