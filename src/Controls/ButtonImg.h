#pragma once
// ButtonImg: a button whose image can be shown as a template or tinted in a colour. Each setting
// acts on the image the button has at that moment. Main thread only.

#include "Controls/ButtonBase.h"

namespace controls {

class ButtonImg : public ButtonBase {
    Q_OBJECT
  public:
    explicit ButtonImg(QWidget* parent = nullptr) : ButtonBase(parent) {}

    bool iconTemplate() const { return iconTemplate_; }
    void setIconTemplate(bool on);
    cg::Color iconTint() const { return iconTint_; }
    void setIconTint(const cg::Color& tint);

  private:
    bool iconTemplate_ = false;
    cg::Color iconTint_ = cg::Color::whiteColor();
};

}  // namespace controls
