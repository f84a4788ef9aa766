#pragma once
// PopUpButton: the pop-up menu button styled like Button: the shared gradient and shadow, hover
// colours, a forced resting background, a hover opacity, a hand cursor, a template icon and accent
// colours per style. Its resting title is black unless set; on a dark desktop an unset resting
// title takes the dark style's label colour instead, so it stays readable. Main thread only.

#include <optional>

#include "Controls/GradientShadowStyle.h"
#include "Controls/HoverColors.h"
#include "Controls/PopUpButtonBase.h"

namespace controls {

class PopUpButton : public PopUpButtonBase, public GradientShadowStyle, public HoverColorProperties {
    Q_OBJECT
  public:
    explicit PopUpButton(QWidget* parent = nullptr, bool pullsDown = false);

    cg::Color fontColor() const;
    void setFontColor(cg::Color c) { colours_.fontColor = c; }

    virtual void applyHover(bool hovered);
    virtual void applyAccentColors();

    void awakeFromNib() override;
    void mouseEntered() override { applyHover(true); }
    void mouseExited() override { applyHover(false); }

  protected:
    void interfaceStyleDidChange() override;

  private:
};

}  // namespace controls
