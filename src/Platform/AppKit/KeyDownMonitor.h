#pragma once
// An application-local key-down monitor: sees every key press once, before the widget with focus,
// and may consume it. It is a child of its owner and stops when the owner is destroyed (or when it
// is deleted itself), so a gone screen is never called. Main thread only.

#include <QObject>
#include <functional>

class QKeyEvent;

namespace appkit {

class KeyDownMonitor : public QObject {
    Q_OBJECT
  public:
    // `handler` returns true to consume the key press.
    KeyDownMonitor(QObject* owner, std::function<bool(QKeyEvent&)> handler);
    ~KeyDownMonitor() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool(QKeyEvent&)> handler_;
};

}  // namespace appkit
