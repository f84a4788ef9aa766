#pragma once
// Popover: a small panel showing a controller's view beside a rectangle of a view, closed by a
// click outside it (transient behaviour). Light or dark. Main thread only.

#include <QPointer>
#include <memory>

#include "Platform/Graphics/Geometry.h"

class QWidget;
class QFrame;

namespace appkit {

class ViewController;

enum class RectEdge { MinX = 0, MinY = 1, MaxX = 2, MaxY = 3 };

class Popover {
  public:
    ~Popover();
    void setContentViewController(std::shared_ptr<ViewController> controller) {
        content_ = std::move(controller);
    }
    ViewController* contentViewController() const { return content_.get(); }
    void setDark(bool dark) { dark_ = dark; }

    // `rect` is in the coordinates of `view` (y up unless it is flipped); the popover opens on the
    // preferred edge of it.
    void show(const cg::Rect& rect, QWidget* view, RectEdge preferredEdge);
    void close();
    bool isShown() const;
    QWidget* panel() const;

  private:
    std::shared_ptr<ViewController> content_;
    QPointer<QFrame> panel_;
    bool dark_ = false;
};

}  // namespace appkit
