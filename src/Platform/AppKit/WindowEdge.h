#pragma once
// WindowEdge: a one-pixel line just inside a frameless window's border, light on a dark window and
// dark on a light one, so the window's edge stays visible over a window of its own colour. With a
// radius it also rounds the window's corners (its mask) and follows them. It lies over the window's
// content and lets every click through. Main thread only; owned by the window it edges (Qt parent).

#include <QWidget>

namespace appkit {

class WindowEdge : public QWidget {
  public:
    explicit WindowEdge(QWidget* window, int radius = 0);

    // The corner radius of sheets, the same as the preset cards'.
    static constexpr int kSheetRadius = 10;

    // The colour of the line on `palette`'s window.
    static QColor colourOn(const QPalette& palette);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void fitWindow();

    int radius_ = 0;
    QSize masked_;  // the window size the mask was made for
};

}  // namespace appkit
