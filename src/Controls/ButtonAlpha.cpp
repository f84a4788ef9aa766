#include "Controls/ButtonAlpha.h"

#include "Controls/ButtonTracking.h"
#include "Controls/ViewAccent.h"

namespace controls {

ButtonAlpha::ButtonAlpha(QWidget* parent) : ButtonBase(parent), interfaceStyle_(interfacestyle::current()) {}

void ButtonAlpha::awakeFromNib() {
    setWantsLayer(true);
    view::setAlpha(*this, 0.7);
    setAlphaValue(view::alpha(*this));
    alphaBack_ = view::alpha(*this);
    if (!momentaryChange_) return;
    applyHover(state() == StateValue::On);
    addTrackingRect();
    if (trackingUpdate_) scheduleTrackingRenewal(*this);
}

void ButtonAlpha::applyHover(bool hovered) {
    if (!isEnabled()) {
        setAlphaValue(0.5);
        return;
    }
    if (hovered) {
        addCursorRect(Qt::PointingHandCursor);
        if (alphaHover_ != -1) setAlphaValue(alphaHover_);
    } else {
        addCursorRect(Qt::ArrowCursor);
        setAlphaValue(alphaBack_);
    }
}

void ButtonAlpha::viewDidEndLiveResize() {
    if (momentaryChange_ && trackingUpdate_) renewTrackingRect(*this);
}

}  // namespace controls
