#include "Controls/LabelOpacity.h"

#include <algorithm>

#include "Controls/TextFieldEffect.h"
#include "Platform/AppKit/AnimationContext.h"

namespace textfield {

using controls::TextFieldEffect;

double alphaValue(const QWidget& label) {
    const auto* effect = TextFieldEffect::find(label);
    return effect ? effect->opacity() : 1.0;
}

void setAlphaValue(QWidget& label, double alpha) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    if (alpha == 1.0 && !TextFieldEffect::find(label)) return;
    // The label's background-style edge, if any, lives in the same effect and stays.
    TextFieldEffect::of(label).setOpacity(alpha);
    TextFieldEffect::dropIfPlain(label);
}

void animateAlphaValue(QWidget& label, double alpha) {
    appkit::AnimationContext::animate(&label, alphaValue(label), alpha,
                                      [&label](const QVariant& v) { setAlphaValue(label, v.toDouble()); });
}

}  // namespace textfield
