#include "Platform/AppKit/View.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace appkit {

namespace {

constexpr char kHiddenBeforeRemoval[] = "appkit.hiddenBeforeRemoval";
constexpr char kTag[] = "appkit.tag";
constexpr char kAccessibilityValue[] = "appkit.accessibilityValue";

bool isExplicitlyHidden(const QWidget* w) {
    return w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}

bool parentIsFlipped(const QWidget* parent) {
    if (!parent) return true;
    if (auto* view = qobject_cast<const View*>(parent)) return view->isFlipped();
    return false;
}

}  // namespace

View::View(QWidget* parent) : QWidget(parent), LayerHost(static_cast<QWidget&>(*this)) {}

View::~View() = default;

int View::tagOf(const QWidget* widget) {
    if (!widget) return 0;
    if (auto* view = qobject_cast<const View*>(widget)) return view->tag();
    return widget->property(kTag).toInt();
}

void View::setTagOf(QWidget* widget, int tag) {
    if (auto* view = qobject_cast<View*>(widget))
        view->setTag(tag);
    else if (widget)
        widget->setProperty(kTag, tag);
}

QVariant View::accessibilityValueOf(const QWidget* widget) {
    if (!widget) return {};
    if (auto* view = qobject_cast<const View*>(widget)) return view->accessibilityValue();
    return widget->property(kAccessibilityValue);
}

void View::setAccessibilityValueOf(QWidget* widget, QVariant value) {
    if (auto* view = qobject_cast<View*>(widget))
        view->setAccessibilityValue(std::move(value));
    else if (widget)
        widget->setProperty(kAccessibilityValue, std::move(value));
}

QWidget* View::viewWithTag(int tag) {
    if (tag_ == tag) return this;
    for (QWidget* sub : subviews()) {
        if (auto* view = qobject_cast<View*>(sub)) {
            if (QWidget* found = view->viewWithTag(tag)) return found;
        } else if (tagOf(sub) == tag) {
            return sub;
        }
    }
    return nullptr;
}

std::vector<QWidget*> View::subviews() const {
    std::vector<QWidget*> live;
    for (const auto& sub : subviews_) {
        if (sub && sub->parentWidget() == this) live.push_back(sub.data());
    }
    return live;
}

void View::addSubview(QWidget* view) {
    insertSubview(view, subviews_.size());
}

void View::insertSubview(QWidget* view, std::size_t index) {
    if (!view || view == this) return;
    // A size change made while hidden has not been announced yet; place the others for it first.
    syncAutoresizing();
    const QVariant remembered = view->property(kHiddenBeforeRemoval);
    const bool hidden = remembered.isValid() ? remembered.toBool() : isExplicitlyHidden(view);
    view->setProperty(kHiddenBeforeRemoval, QVariant());
    if (view->parentWidget() != this) {
        const QRect geometry = view->geometry();
        view->setParent(this);
        view->setGeometry(geometry);
    }
    view->setVisible(!hidden);
    // Prune entries that left this view through other routes, then insert at the requested place.
    std::erase_if(subviews_, [this](const QPointer<QWidget>& s) { return !s || s->parentWidget() != this; });
    subviews_.erase(std::remove(subviews_.begin(), subviews_.end(), view), subviews_.end());
    const std::size_t at = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(at), QPointer<QWidget>(view));
    // Later subviews draw over earlier ones.
    if (at + 1 < subviews_.size())
        view->stackUnder(subviews_[at + 1]);
    else
        view->raise();
}

void View::removeFromSuperview(QWidget* view) {
    if (!view || !view->parentWidget()) return;
    view->setProperty(kHiddenBeforeRemoval, isExplicitlyHidden(view));
    view->setParent(nullptr);
}

View* View::superview() const {
    return qobject_cast<View*>(parentWidget());
}

QRect View::toQtRect(const QWidget* parent, const cg::Rect& frame) {
    const cg::Rect f = frame.standardized();
    const double y = parentIsFlipped(parent) ? f.origin.y : parent->height() - f.origin.y - f.size.height;
    return QRect(static_cast<int>(std::lround(f.origin.x)), static_cast<int>(std::lround(y)),
                 static_cast<int>(std::lround(f.size.width)), static_cast<int>(std::lround(f.size.height)));
}

cg::Rect View::frameOf(const QWidget* widget) {
    const QRect g = widget->geometry();
    const QWidget* parent = widget->parentWidget();
    const double y = parentIsFlipped(parent) ? g.y() : parent->height() - g.y() - g.height();
    return cg::Rect(g.x(), y, g.width(), g.height());
}

void View::setFrameOf(QWidget* widget, const cg::Rect& frame) {
    widget->setGeometry(toQtRect(widget->parentWidget(), frame));
}

cg::Rect View::frameOnScreen(const QWidget* widget) {
    const QRect global(widget->mapToGlobal(QPoint(0, 0)), widget->size());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 0;
    return cg::Rect(global.x(), screenHeight - global.y() - global.height(), global.width(), global.height());
}

cg::Rect View::frame() const {
    return frameOf(this);
}
void View::setFrame(const cg::Rect& frame) {
    setFrameOf(this, frame);
}
void View::setFrameSize(const cg::Size& size) {
    setFrame(cg::Rect(frame().origin, size));
}
void View::setFrameOrigin(const cg::Point& origin) {
    setFrame(cg::Rect(origin, frame().size));
}

void View::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool flipped = isFlipped();
    paintLayerBelowContent(painter, flipped);
    drawContent(painter);
    paintLayerBorder(painter, flipped);
}

void View::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncAutoresizing();
}

void View::syncAutoresizing() {
    const QSize old = laidOutSize_;
    laidOutSize_ = size();
    // Until something is placed or the view is first laid out, its size is only the one it was built with.
    if (old.isValid() && old != size() && !layout()) {
        const double dw = width() - old.width(), dh = height() - old.height();
        const bool flipped = isFlipped();
        for (QWidget* sub : subviews()) {
            const unsigned mask = qobject_cast<View*>(sub) ? static_cast<View*>(sub)->autoresizingMask() : 0;
            const QRect g = sub->geometry();
            // The frame as it was in this view's coordinates before the resize.
            const cg::Rect before(g.x(), flipped ? g.y() : old.height() - g.y() - g.height(), g.width(),
                                  g.height());
            setFrameOf(sub, autoresized(before, mask, dw, dh));
        }
    }
    layerHostResized(old, size());
}

}  // namespace appkit
