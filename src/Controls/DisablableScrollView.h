#pragma once
// DisablableScrollView: a scroll view whose wheel scrolling is off until it is switched on; while it
// is off, wheel events go on to the view around it. Main thread only.

#include <QScrollArea>

namespace controls {

class DisablableScrollView : public QScrollArea {
    Q_OBJECT
  public:
    explicit DisablableScrollView(QWidget* parent = nullptr) : QScrollArea(parent) {}

    // The designed property "enabled": whether the wheel scrolls this view.
    bool isScrollEnabled() const { return isEnabled_; }
    void setScrollEnabled(bool enabled) { isEnabled_ = enabled; }

  protected:
    void wheelEvent(QWheelEvent* event) override;

  private:
    bool isEnabled_ = false;
};

}  // namespace controls
