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

namespace {

// Animates one colour of a view's layer from its current value to `target`, which it holds exactly
// at the end (absent included).
void animateColour(View* view, std::optional<cg::Color> Layer::*member, std::optional<cg::Color> target) {
    view->setWantsLayer(true);
    const cg::Color from =
        (view->layer()->*member).value_or(target ? target->withAlpha(0) : cg::Color::clear());
    const cg::Color to = target.value_or(from.withAlpha(0));
    auto mix = [from, to](double t) {
        return cg::Color{from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
                         from.blue + (to.blue - from.blue) * t, from.alpha + (to.alpha - from.alpha) * t};
    };
    AnimationContext::animate(
        view, 0.0, 1.0,
        [view, member, mix](const QVariant& v) {
            view->layer()->*member = mix(v.toDouble());
            view->layerDidChange();
        },
        [view, member, target] {
            view->layer()->*member = target;
            view->layerDidChange();
        });
}

}  // namespace

void WidgetAnimator::setBorderColor(std::optional<cg::Color> colour) {
    if (auto* view = qobject_cast<View*>(&widget_)) animateColour(view, &Layer::borderColor, colour);
}

void WidgetAnimator::setBackgroundColor(std::optional<cg::Color> colour) {
    if (auto* view = qobject_cast<View*>(&widget_)) animateColour(view, &Layer::backgroundColor, colour);
}

void WidgetAnimator::setBorderWidth(double width) {
    auto* view = qobject_cast<View*>(&widget_);
    if (!view) return;
    view->setWantsLayer(true);
    AnimationContext::animate(view, view->layer()->borderWidth, width, [view](const QVariant& v) {
        view->layer()->borderWidth = v.toDouble();
        view->layerDidChange();
    });
}

void ConstraintAnimator::setConstant(double constant) {
    LayoutConstraint* c = &constraint_;
    AnimationContext::animate(c, c->constant(), constant,
                              [c](const QVariant& v) { c->setConstant(v.toDouble()); });
}

}  // namespace appkit
