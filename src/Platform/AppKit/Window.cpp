#include "Platform/AppKit/Window.h"

#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <sstream>

#include "Platform/Foundation/UserDefaults.h"

#include "Platform/AppKit/AccessibleRoles.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Toolbar.h"
#include "Platform/AppKit/ViewController.h"

namespace appkit {

namespace {
int primaryScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().height() : 0;
}
}  // namespace

Window::Window(QWidget* parent) : QWidget(parent, Qt::Window) {
    installAccessibleRoles();
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

Toolbar* Window::toolbar() const {
    return toolbar_;
}

void Window::setToolbar(Toolbar* toolbar) {
    if (toolbar_ == toolbar) return;
    delete toolbar_.data();
    toolbar_ = toolbar;
    if (!toolbar_) return;
    toolbar_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, toolbar_);
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
    saveFrame();
    Q_EMIT didResize();
}

void Window::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    saveFrame();
}

void Window::setFrameAutosaveName(const std::string& name, foundation::UserDefaults& defaults) {
    autosaveName_ = name;
    autosaveDefaults_ = name.empty() ? nullptr : &defaults;
    if (!autosaveDefaults_) return;
    if (auto stored = defaults.string("NSWindow Frame " + name)) {
        std::istringstream in(*stored);
        double x = 0, y = 0, w = 0, h = 0;
        if (in >> x >> y >> w >> h && w > 0 && h > 0) setFrame(cg::Rect(x, y, w, h));
    }
    saveFrame();
}

void Window::saveFrame() {
    if (!autosaveDefaults_) return;
    const cg::Rect f = frame();
    std::ostringstream out;
    out << f.origin.x << ' ' << f.origin.y << ' ' << f.size.width << ' ' << f.size.height;
    autosaveDefaults_->set("NSWindow Frame " + autosaveName_, foundation::PlistValue(out.str()));
}

void Window::setMaxSize(cg::Size size) {
    setMaximumSize(static_cast<int>(std::min(size.width, double(QWIDGETSIZE_MAX))),
                   static_cast<int>(std::min(size.height, double(QWIDGETSIZE_MAX))));
}

void Window::setMinSize(cg::Size size) {
    setMinimumSize(static_cast<int>(std::max(0.0, size.width)), static_cast<int>(std::max(0.0, size.height)));
}

void Window::setStandardButtonHidden(StandardButton button, bool hidden) {
    hidden_[static_cast<int>(button)] = hidden;
    applyButtonHints();
}

bool Window::isStandardButtonHidden(StandardButton button) const {
    return hidden_[static_cast<int>(button)];
}

void Window::applyButtonHints() {
    const bool wasVisible = isVisible();
    Qt::WindowFlags flags = windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags.setFlag(Qt::WindowCloseButtonHint, !hidden_[0]);
    flags.setFlag(Qt::WindowMinimizeButtonHint, !hidden_[1]);
    flags.setFlag(Qt::WindowMaximizeButtonHint, !hidden_[2]);
    if (flags == windowFlags()) return;
    // Qt places a window whose flags changed by its frame's corner, so the content would move by
    // the frame's size each time (and a restored frame would creep at every start).
    const QRect placed = geometry();
    setWindowFlags(flags);
    setGeometry(placed);
    // Changing the flags hides a shown window.
    if (wasVisible) show();
}

}  // namespace appkit
