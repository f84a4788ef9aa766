#pragma once
// The "animator" proxies: setters that animate inside the current animation group (or with the
// default duration outside one) and land exactly at the value given. Main thread only.

#include <QWidget>
#include <optional>

#include "Platform/AppKit/LayoutConstraint.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace appkit {

class WidgetAnimator {
  public:
    explicit WidgetAnimator(QWidget& widget) : widget_(widget) {}
    // Frames in the widget's superview coordinates (y up unless the superview is flipped).
    void setFrame(const cg::Rect& frame);
    void setFrameSize(const cg::Size& size);
    void setFrameOrigin(const cg::Point& origin);
    // Widgets with a layer fade; others change at the end (hiding) or at once (showing).
    void setAlphaValue(double alpha);
    void setHidden(bool hidden);
    // Layer styling of widgets with a layer host (the layer is turned on); colours fade, an absent
    // one fades to clear and is absent at the end.
    void setBorderColor(std::optional<cg::Color> colour);
    void setBorderWidth(double width);
    void setBackgroundColor(std::optional<cg::Color> colour);

  private:
    QWidget& widget_;
};

class ConstraintAnimator {
  public:
    explicit ConstraintAnimator(LayoutConstraint& constraint) : constraint_(constraint) {}
    void setConstant(double constant);

  private:
    LayoutConstraint& constraint_;
};

inline WidgetAnimator animator(QWidget& widget) {
    return WidgetAnimator(widget);
}
inline ConstraintAnimator animator(LayoutConstraint& constraint) {
    return ConstraintAnimator(constraint);
}

}  // namespace appkit
