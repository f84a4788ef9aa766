#include "Platform/AppKit/Animator.h"

#include <QPointer>
#include <QRect>

#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/View.h"

namespace appkit {

void WidgetAnimator::setFrame(const cg::Rect& frame) {
    const QRect target = View::toQtRect(widget_.parentWidget(), frame);
    QWidget* w = &widget_;
    AnimationContext::animate(w, widget_.geometry(), target,
                              [w](const QVariant& v) { w->setGeometry(v.toRect()); });
}

void WidgetAnimator::setFrameSize(const cg::Size& size) {
    setFrame(cg::Rect(View::frameOf(&widget_).origin, size));
}

void WidgetAnimator::setFrameOrigin(const cg::Point& origin) {
    setFrame(cg::Rect(origin, View::frameOf(&widget_).size));
}

void WidgetAnimator::setAlphaValue(double alpha) {
    auto* view = qobject_cast<View*>(&widget_);
    if (!view) return;
    AnimationContext::animate(view, view->alphaValue(), alpha,
                              [view](const QVariant& v) { view->setAlphaValue(v.toDouble()); });
}

void WidgetAnimator::setHidden(bool hidden) {
    QWidget* w = &widget_;
    auto* view = qobject_cast<View*>(w);
    if (hidden == w->isHidden()) return;
    if (!view) {
        if (!hidden) w->setVisible(true);
        AnimationContext::animate(
            w, 0, 1, [](const QVariant&) {}, [w, hidden] { w->setVisible(!hidden); });
        return;
    }
    const double alpha = view->alphaValue();
    if (hidden) {
        AnimationContext::animate(
            view, alpha, 0.0, [view](const QVariant& v) { view->setAlphaValue(v.toDouble()); },
            [view, alpha] {
                view->setVisible(false);
                view->setAlphaValue(alpha);
            });
    } else {
        view->setAlphaValue(0);
        view->setVisible(true);
        AnimationContext::animate(view, 0.0, alpha,
                                  [view](const QVariant& v) { view->setAlphaValue(v.toDouble()); });
    }
}

void ConstraintAnimator::setConstant(double constant) {
    LayoutConstraint* c = &constraint_;
    AnimationContext::animate(c, c->constant(), constant,
                              [c](const QVariant& v) { c->setConstant(v.toDouble()); });
}

}  // namespace appkit
