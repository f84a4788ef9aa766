#pragma once
// Button: the fully styled button: the shared gradient and shadow, hover colours for background,
// border and title, a forced resting background, a hover opacity, a hand cursor, and colours
// derived from the accent colour for the light and the dark style. A clear colour means "not set".
// It restyles live when the desktop turns light or dark. Main thread only.

#include "Controls/ButtonBase.h"
#include "Controls/GradientShadowStyle.h"
#include "Controls/HoverColors.h"

namespace controls {

class Button : public ButtonBase, public GradientShadowStyle, public HoverColorProperties {
    Q_OBJECT
  public:
    explicit Button(QWidget* parent = nullptr);

    cg::Color fontColor() const { return colours_.fontColor; }
    void setFontColor(cg::Color c) { colours_.fontColor = c; }
    bool trackingUpdate() const { return trackingUpdate_; }
    void setTrackingUpdate(bool on) { trackingUpdate_ = on; }

    virtual void applyHover(bool hovered);
    // Derives hover and border colours from the accent colour when accent colours are on.
    virtual void applyInterfaceStyle();

    void awakeFromNib() override;
    void mouseEntered() override { applyHover(true); }
    void mouseExited() override { applyHover(false); }
    void viewDidEndLiveResize() override;

  protected:
    void interfaceStyleDidChange() override;

  private:
    bool trackingUpdate_ = false;
};

}  // namespace controls
