#pragma once
// The gradient-and-shadow properties that Box, ViewGradient, Button and PopUpButton share, and the
// two routines that apply them to the host view's layer. Setting `gradientOn` or `shadowOn`
// applies its half 0.1 s later on the main queue (dropped if the view is gone by then); the other
// setters only store, and reach the screen with the next run. Main thread only.

#include <memory>

#include "Platform/AppKit/Layer.h"
#include "Platform/AppKit/View.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Geometry.h"

namespace controls {

class GradientShadowStyle {
  public:
    // `roundGradient`: the gradient follows the host's corner radius (all hosts but Box).
    GradientShadowStyle(appkit::View& host, bool roundGradient, cg::Size shadowOffset = {1, 1});
    virtual ~GradientShadowStyle() = default;
    GradientShadowStyle(const GradientShadowStyle&) = delete;
    GradientShadowStyle& operator=(const GradientShadowStyle&) = delete;

    cg::Color topColor() const { return topColor_; }
    void setTopColor(cg::Color c) { topColor_ = c; }
    cg::Color bottomColor() const { return bottomColor_; }
    void setBottomColor(cg::Color c) { bottomColor_ = c; }
    cg::Point startPoint() const { return startPoint_; }
    void setStartPoint(cg::Point p) { startPoint_ = p; }
    cg::Point endPoint() const { return endPoint_; }
    void setEndPoint(cg::Point p) { endPoint_ = p; }
    bool gradientOn() const { return gradientOn_; }
    void setGradientOn(bool on);
    cg::Color shadowColor() const { return shadowColor_; }
    void setShadowColor(cg::Color c) { shadowColor_ = c; }
    double shadowRadius() const { return shadowRadius_; }
    void setShadowRadius(double r) { shadowRadius_ = r; }
    float shadowOpacity() const { return shadowOpacity_; }
    void setShadowOpacity(float o) { shadowOpacity_ = o; }
    cg::Size shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(cg::Size s) { shadowOffset_ = s; }
    bool shadowOn() const { return shadowOn_; }
    void setShadowOn(bool on);

    // Does nothing while `gradientOn` is false; an earlier gradient stays.
    virtual void setUpGradientLayer();
    // Does nothing while `shadowOn` is false; an earlier shadow stays.
    virtual void setUpShadow();

  private:
    appkit::View& host_;
    bool roundGradient_;
    std::shared_ptr<appkit::Layer> gradientLayer_ =
        std::make_shared<appkit::Layer>(appkit::Layer::Kind::Gradient);
    cg::Color topColor_{1, 0, 0, 1};
    cg::Color bottomColor_{1, 1, 0, 1};
    cg::Point startPoint_{0, 0.5};
    cg::Point endPoint_{1, 0.5};
    bool gradientOn_ = false;
    cg::Color shadowColor_ = cg::Color::black();
    double shadowRadius_ = 1.0;
    float shadowOpacity_ = 1.0f;
    cg::Size shadowOffset_;
    bool shadowOn_ = false;
};

}  // namespace controls
