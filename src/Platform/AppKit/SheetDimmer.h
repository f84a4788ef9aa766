#pragma once
// SheetDimmer: a translucent shade laid over a window while a sheet is up, so the user sees the
// window is waiting on the sheet. It follows the window's size and takes its shade from the palette.
// Main thread only; owned by the window it covers (Qt parent).

#include <QWidget>

namespace appkit {

class SheetDimmer : public QWidget {
  public:
    explicit SheetDimmer(QWidget* window);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace appkit
