#pragma once
// WindowController: owns a window and its content controller; windowDidLoad runs once, after the
// window has been made, for subclasses to apply their options. Made by identifier from the
// storyboard. Main thread only.

#include <QObject>
#include <memory>

#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"

namespace appkit {

class WindowController : public QObject {
    Q_OBJECT
  public:
    WindowController();
    ~WindowController() override;

    // The window, made (then windowDidLoad) on first use.
    Window* window();
    bool isWindowLoaded() const { return window_ != nullptr; }
    ViewController* contentViewController() const {
        return window_ ? window_->contentViewController() : nullptr;
    }
    void setContentViewController(std::shared_ptr<ViewController> controller);
    void showWindow();
    void close();

  protected:
    virtual void windowDidLoad() {}

  private:
    std::unique_ptr<Window> window_;
};

}  // namespace appkit
