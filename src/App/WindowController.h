#pragma once
// WindowController: a window controller whose window look is set by options given before the
// window is made and applied once when it loads. Options a Linux window manager does not offer
// (transparent title bar, full-size content, title-bar accessories and button positions, the
// bottom border) are kept on the window and otherwise ignored. Main thread only.

#include <array>

#include "Platform/AppKit/WindowController.h"

// Which of close, minimise and zoom a `toolbarButtons` value hides: 0 all three, 1 minimise and
// zoom, 2 zoom, anything else none.
std::array<bool, 3> hiddenTitleBarButtons(int toolbarButtons);

class WindowController : public appkit::WindowController {
    Q_OBJECT
  public:
    bool toolbarTransparent = true;
    bool fullSizeContent = true;
    int toolbarButtons = 3;
    bool transparentBG = false;
    bool opaque = false;
    bool movableByBG = false;
    bool frameAutosaveName = false;
    double headerThickness = -1.0;
    float footerThickness = 0.0f;
    int appearanceMode = -1;

    virtual void positionWindowButtons(double headerThickness);

  protected:
    void windowDidLoad() override;
};
