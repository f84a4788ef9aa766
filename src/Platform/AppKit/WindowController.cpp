#include "Platform/AppKit/WindowController.h"

namespace appkit {

WindowController::WindowController() = default;
WindowController::~WindowController() = default;

Window* WindowController::window() {
    if (!window_) {
        window_ = std::make_unique<Window>();
        window_->setWindowController(this);
        windowDidLoad();
    }
    return window_.get();
}

void WindowController::setContentViewController(std::shared_ptr<ViewController> controller) {
    window()->setContentViewController(std::move(controller));
}

void WindowController::showWindow() {
    window()->show();
    window_->raise();
    window_->activateWindow();
}

void WindowController::close() {
    if (window_) window_->close();
}

}  // namespace appkit
