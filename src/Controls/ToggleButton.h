#pragma once
// ToggleButton: a button whose image turns a quarter of a turn with each click: by 270 degrees
// when the click leaves it on (or mixed), by 90 when it leaves it off, so on-then-off returns the
// image to where it started. The turned image is a template. Main thread only.

#include "Controls/ButtonBase.h"

namespace controls {

class ToggleButton : public ButtonBase {
    Q_OBJECT
  public:
    explicit ToggleButton(QWidget* parent = nullptr) : ButtonBase(parent) {}

  protected:
    // The whole click is tracked first (it may flip the state); the image turns after it, even
    // when the mouse was released outside.
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace controls
