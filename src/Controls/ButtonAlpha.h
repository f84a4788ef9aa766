#pragma once
// ButtonAlpha: a button that rests at opacity 0.7 and takes `alphaHover` under the mouse, with a
// hand cursor; 0.5 when it is disabled at the moment of a mouse event. Main thread only.

#include "Controls/ButtonBase.h"
#include "Controls/InterfaceStyle.h"

namespace controls {

class ButtonAlpha : public ButtonBase {
    Q_OBJECT
  public:
    explicit ButtonAlpha(QWidget* parent = nullptr);

    double alphaHover() const { return alphaHover_; }
    void setAlphaHover(double a) { alphaHover_ = a; }
    bool trackingUpdate() const { return trackingUpdate_; }
    void setTrackingUpdate(bool on) { trackingUpdate_ = on; }
    double alphaBack() const { return alphaBack_; }
    InterfaceStyle interfaceStyle() const { return interfaceStyle_; }
    bool momentaryChange() const { return momentaryChange_; }
    void setMomentaryChange(bool on) { momentaryChange_ = on; }

    virtual void applyHover(bool hovered);
    void awakeFromNib() override;
    void mouseEntered() override { applyHover(true); }
    void mouseExited() override { applyHover(false); }
    void viewDidEndLiveResize() override;

  private:
    double alphaHover_ = 1.0;
    bool trackingUpdate_ = false;
    double alphaBack_ = -1.0;
    InterfaceStyle interfaceStyle_;
    bool momentaryChange_ = true;
};

}  // namespace controls
