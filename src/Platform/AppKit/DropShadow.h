#pragma once
// DropShadow: the soft shadow a floating window (a sheet, the preview panel) casts on a window it
// stands over, painted by that window itself, so the floating window keeps a visible edge where no
// window manager draws shadows. It follows the floating window's moves and size and shows only
// while that window shows over this one. Main thread only; owned by the window it is painted on
// (Qt parent); the floating window is watched, never owned.

#include <QPointer>
#include <QWidget>

class QPainter;

namespace appkit {

// Paints the shadow of `caster` (in the painter's coordinates) around and below it.
void paintDropShadow(QPainter& painter, const QRect& caster);

class DropShadow : public QWidget {
  public:
    DropShadow(QWidget* window, QWidget* caster);

    // The caster's frame in this window's coordinates; empty while it does not show over it.
    QRect casterFrame() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> caster_;
};

}  // namespace appkit
