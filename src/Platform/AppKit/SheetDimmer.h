#pragma once
// SheetDimmer: a translucent shade laid over a window while a sheet is up, so the user sees the
// window is waiting on the sheet. It follows the window's size and takes its shade from the palette.
// Given the sheet, it also casts the sheet's shadow on the window and goes away once the sheet
// hides or is destroyed. Main thread only; owned by the window it covers (Qt parent); the sheet is
// watched, never owned.

#include "Platform/AppKit/DropShadow.h"

namespace appkit {

class SheetDimmer : public DropShadow {
  public:
    // `radius` is the sheet's corner radius.
    explicit SheetDimmer(QWidget* window, QWidget* sheet = nullptr, int radius = 0);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* sheet_;  // only compared, never used: it may be gone
};

}  // namespace appkit
