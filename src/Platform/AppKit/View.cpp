#include "Platform/AppKit/View.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/LayerEffect.h"
#include "Platform/AppKit/LayerPainter.h"

namespace appkit {

namespace {

constexpr char kHiddenBeforeRemoval[] = "appkit.hiddenBeforeRemoval";
constexpr char kTag[] = "appkit.tag";

bool isExplicitlyHidden(const QWidget* w) {
    return w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}

bool parentIsFlipped(const QWidget* parent) {
    if (!parent) return true;
    if (auto* view = qobject_cast<const View*>(parent)) return view->isFlipped();
    return false;
}

// One axis of the autoresizing rule: the change is shared equally by the flexible parts.
void resizeAxis(double& origin, double& size, double delta, bool flexMin, bool flexSize, bool flexMax) {
    const int flexible = int(flexMin) + int(flexSize) + int(flexMax);
    if (flexible == 0 || delta == 0) return;
    const double share = delta / flexible;
    if (flexMin) origin += share;
    if (flexSize) size = std::max(0.0, size + share);
}

cg::Rect autoresized(cg::Rect f, unsigned mask, double dw, double dh) {
    using namespace Autoresizing;
    resizeAxis(f.origin.x, f.size.width, dw, mask & MinXMargin, mask & WidthSizable, mask & MaxXMargin);
    resizeAxis(f.origin.y, f.size.height, dh, mask & MinYMargin, mask & HeightSizable, mask & MaxYMargin);
    return f;
}

}  // namespace

View::View(QWidget* parent) : QWidget(parent) {}

View::~View() {
    for (auto& [key, running] : animations_) {
        if (running.animation) running.animation->disconnect(this);
    }
}

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

void View::setAlphaValue(double alpha) {
    layer_.opacity = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
    updateEffect();
    update();
}

void View::setWantsLayer(bool wants) {
    if (wantsLayer_ == wants) return;
    wantsLayer_ = wants;
    layerDidChange();
}

void View::layerDidChange() {
    updateEffect();
    updateMask();
    update();
}

void View::updateEffect() {
    const bool needed = layer_.presented(KeyPath::opacity) < 1 || (wantsLayer_ && layer_.showsShadow());
    if (needed && !effect_) {
        effect_ = new LayerEffect(layer_, this);
        setGraphicsEffect(effect_);
    } else if (!needed && effect_) {
        setGraphicsEffect(nullptr);  // deletes it
    } else if (effect_) {
        effect_->update();
    }
}

void View::updateMask() {
    if (wantsLayer_ && layer_.masksToBounds && layer_.cornerRadius > 0) {
        const QPainterPath path = LayerPainter::roundedPath(QRectF(rect()), layer_.cornerRadius);
        setMask(QRegion(path.toFillPolygon().toPolygon()));
    } else if (!mask().isEmpty()) {
        clearMask();
    }
}

void View::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!wantsLayer_) {
        drawContent(painter);
        return;
    }
    LayerPainter layerPainter(painter, QRectF(rect()), isFlipped());
    layerPainter.paintBelowContent(layer_);
    drawContent(painter);
    layerPainter.paintBorder(layer_);
}

void View::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncAutoresizing();
    updateMask();
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
        for (auto& sub : layer_.sublayers)
            sub->frame = autoresized(sub->frame, sub->autoresizingMask, dw, dh);
    }
}

void View::addAnimation(const KeyPathAnimation& animation, const std::string& key,
                        std::shared_ptr<Layer> layer) {
    if (animations_.count(key)) stopAnimation(key, false);
    Layer* target = layer ? layer.get() : &layer_;
    const double from = animation.fromValue.value_or(target->presented(animation.keyPath));
    const double to = animation.toValue;
    const bool endless = animation.repeatCount >= 1e30 || std::isinf(animation.repeatCount);
    const int ms = AnimationClock::scaledMilliseconds(animation.duration * (animation.autoreverses ? 2 : 1));

    Running running{nullptr, layer, animation.keyPath, !animation.removedOnCompletion, animation.didStop};
    if (ms == 0) {
        // On a stopped clock the animation is over as soon as it starts; an endless one rests at its end.
        if (running.keepEnd || endless)
            target->presentation[animation.keyPath] = animation.autoreverses ? from : to;
        if (endless) {
            animations_[key] = std::move(running);
        } else if (animation.didStop) {
            postToMain(this, [didStop = animation.didStop] { didStop(true); });
        }
        updateEffect();
        update();
        return;
    }
    auto* qt = new QVariantAnimation(this);
    qt->setDuration(ms);
    qt->setEasingCurve(animation.timingFunction.easingCurve());
    qt->setStartValue(from);
    if (animation.autoreverses) qt->setKeyValueAt(0.5, to);
    qt->setEndValue(animation.autoreverses ? from : to);
    const double repeats = std::max(1.0, std::ceil(animation.repeatCount));
    qt->setLoopCount(endless || repeats > 1e6 ? -1 : static_cast<int>(repeats));
    const std::string keyPath = animation.keyPath;
    connect(qt, &QVariantAnimation::valueChanged, this, [this, target, keyPath](const QVariant& v) {
        target->presentation[keyPath] = v.toDouble();
        if (target == &layer_ && keyPath == KeyPath::opacity) updateEffect();
        update();
    });
    connect(qt, &QAbstractAnimation::finished, this, [this, key] { stopAnimation(key, true); });
    running.animation = qt;
    target->presentation[animation.keyPath] = from;
    animations_[key] = std::move(running);
    qt->start();
}

void View::stopAnimation(const std::string& key, bool finished) {
    auto it = animations_.find(key);
    if (it == animations_.end()) return;
    Running running = std::move(it->second);
    animations_.erase(it);
    Layer* target = running.layer ? running.layer.get() : &layer_;
    double end = target->presented(running.keyPath);
    if (running.animation) {
        end = running.animation->endValue().toDouble();
        running.animation->disconnect(this);
        running.animation->stop();
        running.animation->deleteLater();
    }
    if (finished && running.keepEnd)
        target->presentation[running.keyPath] = end;
    else
        target->presentation.erase(running.keyPath);
    updateEffect();
    update();
    if (running.didStop) postToMain(this, [didStop = running.didStop, finished] { didStop(finished); });
}

void View::removeAnimation(const std::string& key) {
    stopAnimation(key, false);
}

void View::removeAllAnimations() {
    while (!animations_.empty()) stopAnimation(animations_.begin()->first, false);
}

}  // namespace appkit
