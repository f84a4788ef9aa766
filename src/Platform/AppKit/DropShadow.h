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

// Paints the shadow of `caster` (in the painter's coordinates) around and below it. A square caster
// (`radius` 0) also gets a hairline at its edge; a rounded one draws its own edge.
void paintDropShadow(QPainter& painter, const QRect& caster, int radius = 0);

class DropShadow : public QWidget {
  public:
    // `radius` is the caster's corner radius.
    DropShadow(QWidget* window, QWidget* caster, int radius = 0);

    // The caster's frame in this window's coordinates; empty while it does not show over it.
    QRect casterFrame() const;

    int casterRadius() const { return radius_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> caster_;
    int radius_ = 0;
};

}  // namespace appkit
