#include "Controls/LabelOpacity.h"

#include <QGraphicsOpacityEffect>
#include <algorithm>

#include "Platform/AppKit/AnimationContext.h"

namespace textfield {

namespace {
QGraphicsOpacityEffect* opacityEffect(const QWidget& label) {
    return qobject_cast<QGraphicsOpacityEffect*>(label.graphicsEffect());
}
}  // namespace

double alphaValue(const QWidget& label) {
    const auto* effect = opacityEffect(label);
    return effect ? effect->opacity() : 1.0;
}

void setAlphaValue(QWidget& label, double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    auto* effect = opacityEffect(label);
    if (!effect) {
        if (alpha == 1.0) return;
        effect = new QGraphicsOpacityEffect(&label);
        label.setGraphicsEffect(effect);
    }
    effect->setOpacity(alpha);
}

void animateAlphaValue(QWidget& label, double alpha) {
    appkit::AnimationContext::animate(&label, alphaValue(label), alpha,
                                      [&label](const QVariant& v) { setAlphaValue(label, v.toDouble()); });
}

}  // namespace textfield
