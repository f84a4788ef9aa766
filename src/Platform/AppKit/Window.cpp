#include "Platform/AppKit/Window.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/ViewController.h"

namespace appkit {

namespace {
int primaryScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}
}  // namespace

Window::Window(QWidget* parent) : QWidget(parent, Qt::Window) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

Window::~Window() {
    // The content's view is a child of this window; let the controller delete it first.
    content_.reset();
}

void Window::setContentViewController(std::shared_ptr<ViewController> controller) {
    if (content_ && content_->isViewLoaded()) View::removeFromSuperview(content_->view());
    content_ = std::move(controller);
    if (!content_) return;
    View* view = content_->view();
    layout()->addWidget(view);
    view->show();
}

cg::Rect Window::frame() const {
    const QRect g = geometry();
    return cg::Rect(g.x(), primaryScreenHeight() - g.y() - g.height(), g.width(), g.height());
}

void Window::setFrame(const cg::Rect& frame, bool, bool animate) {
    const cg::Rect f = frame.standardized();
    const QRect target(static_cast<int>(std::lround(f.origin.x)),
                       static_cast<int>(std::lround(primaryScreenHeight() - f.origin.y - f.size.height)),
                       static_cast<int>(std::lround(f.size.width)),
                       static_cast<int>(std::lround(f.size.height)));
    const int ms = animate ? AnimationClock::scaledMilliseconds(AnimationClock::defaultDuration) : 0;
    if (ms == 0) {
        setGeometry(target);
        // The content follows now, not at the next pass of the event loop, so readers see it.
        layout()->activate();
        return;
    }
    auto* animation = new QPropertyAnimation(this, "geometry", this);
    animation->setDuration(ms);
    animation->setEndValue(target);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

int Window::sheetCount() const {
    return static_cast<int>(std::count_if(sheets_.begin(), sheets_.end(),
                                          [](const QPointer<QWidget>& s) { return s && s->isVisible(); }));
}

void Window::attachSheet(QWidget* sheet) {
    std::erase_if(sheets_, [](const QPointer<QWidget>& s) { return !s; });
    sheets_.emplace_back(sheet);
}

Window* Window::of(const QWidget* widget) {
    if (!widget) return nullptr;
    return qobject_cast<Window*>(widget->window());
}

void Window::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Q_EMIT didResize();
}

}  // namespace appkit
