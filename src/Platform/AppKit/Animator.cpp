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
    QWidget* w = &widget_;
    LayerHost* host = LayerHost::of(w);
    if (!host) return;
    AnimationContext::animate(w, host->alphaValue(), alpha,
                              [host](const QVariant& v) { host->setAlphaValue(v.toDouble()); });
}

void WidgetAnimator::setHidden(bool hidden) {
    QWidget* w = &widget_;
    LayerHost* host = LayerHost::of(w);
    if (hidden == w->isHidden()) return;
    if (!host) {
        // Without a layer there is nothing to fade: show at once, hide when the group ends.
        if (!hidden) w->setVisible(true);
        AnimationContext::animate(
            w, 0, 1, [](const QVariant&) {}, [w, hidden] { w->setVisible(!hidden); });
        return;
    }
    const double alpha = host->alphaValue();
    auto fade = [host](const QVariant& v) { host->setAlphaValue(v.toDouble()); };
    if (hidden) {
        AnimationContext::animate(w, alpha, 0.0, fade, [w, host, alpha] {
            w->setVisible(false);
            host->setAlphaValue(alpha);
        });
    } else {
        host->setAlphaValue(0);
        w->setVisible(true);
        AnimationContext::animate(w, 0.0, alpha, fade);
    }
}

namespace {

// Animates one colour of a widget's layer from its current value to `target`, which it holds
// exactly at the end (absent included).
void animateColour(QWidget* w, std::optional<cg::Color> Layer::*member, std::optional<cg::Color> target) {
    LayerHost* host = LayerHost::of(w);
    if (!host) return;
    host->setWantsLayer(true);
    const cg::Color from =
        (host->layer()->*member).value_or(target ? target->withAlpha(0) : cg::Color::clear());
    const cg::Color to = target.value_or(from.withAlpha(0));
    auto mix = [from, to](double t) {
        return cg::Color{from.red + (to.red - from.red) * t, from.green + (to.green - from.green) * t,
                         from.blue + (to.blue - from.blue) * t, from.alpha + (to.alpha - from.alpha) * t};
    };
    AnimationContext::animate(
        w, 0.0, 1.0,
        [host, member, mix](const QVariant& v) {
            host->layer()->*member = mix(v.toDouble());
            host->layerDidChange();
        },
        [host, member, target] {
            host->layer()->*member = target;
            host->layerDidChange();
        });
}

}  // namespace

void WidgetAnimator::setBorderColor(std::optional<cg::Color> colour) {
    animateColour(&widget_, &Layer::borderColor, colour);
}

void WidgetAnimator::setBackgroundColor(std::optional<cg::Color> colour) {
    animateColour(&widget_, &Layer::backgroundColor, colour);
}

void WidgetAnimator::setBorderWidth(double width) {
    QWidget* w = &widget_;
    LayerHost* host = LayerHost::of(w);
    if (!host) return;
    host->setWantsLayer(true);
    AnimationContext::animate(w, host->layer()->borderWidth, width, [host](const QVariant& v) {
        host->layer()->borderWidth = v.toDouble();
        host->layerDidChange();
    });
}

void ConstraintAnimator::setConstant(double constant) {
    LayoutConstraint* c = &constraint_;
    AnimationContext::animate(c, c->constant(), constant,
                              [c](const QVariant& v) { c->setConstant(v.toDouble()); });
}

}  // namespace appkit
