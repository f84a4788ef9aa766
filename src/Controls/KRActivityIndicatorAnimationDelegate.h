#pragma once
// The interface of an indicator animation: it sets up its layers and their animations in a view's
// layer for a size and colour. Main thread only.

#include "Platform/AppKit/View.h"

namespace controls {

class KRActivityIndicatorAnimationDelegate {
  public:
    virtual ~KRActivityIndicatorAnimationDelegate() = default;
    virtual void setUpAnimation(appkit::View& host, double size, const cg::Color& colour) = 0;
};

}  // namespace controls
