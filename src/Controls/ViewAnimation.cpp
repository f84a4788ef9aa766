#include "Controls/ViewAnimation.h"

#include <algorithm>
#include <cmath>

#include "Extensions/AppKit/AnimationHelpers.h"
#include "Platform/AppKit/Animator.h"
#include "Platform/AppKit/GuardedDispatch.h"

namespace controls {

namespace {
constexpr double kCallDelay = 0.1;
constexpr double kSubviewStagger = 0.2;
// An endless chain never steps faster than one frame, so it cannot busy the main thread.
constexpr double kShortestPhase = 1.0 / 60;
constexpr char kBlinkKey[] = "blink";
constexpr char kShakeKey[] = "position";

double phase(double seconds) {
    return std::isfinite(seconds) ? std::max(seconds, kShortestPhase) : kShortestPhase;
}
}  // namespace

ViewAnimation::ViewAnimation(QWidget* parent) : appkit::View(parent) {
    setWantsLayer(true);
    layer()->masksToBounds = true;
    layerDidChange();
}

ViewAnimation* ViewAnimation::withFrame(const cg::Rect& frame, QWidget* parent) {
    auto* view = new ViewAnimation(parent);
    view->setWantsLayer(false);
    view->setFrame(frame);
    return view;
}

cg::Rect ViewAnimation::sideFrame(const cg::Rect& f, long long side) {
    switch (side) {
        case 4:
            return cg::Rect(f.origin.x, f.origin.y - f.size.height, f.size.width, f.size.height);
        case 3:
            return cg::Rect(f.origin.x + f.size.width, f.origin.y, f.size.width, f.size.height);
        case 2:
            return cg::Rect(f.origin.x, f.origin.y + f.size.height, f.size.width, f.size.height);
        default:
            return cg::Rect(f.origin.x - f.size.width, f.origin.y, f.size.width, f.size.height);
    }
}

void ViewAnimation::setDoLoop(double seconds) {
    doLoop_ = seconds;
    const unsigned chain = ++loopChain_;
    if (std::isfinite(seconds) && seconds > 0) {
        looping_ = true;
        appkit::postToMainAfter(this, seconds, [this, chain] { loopStep(chain, true); });
    } else {
        looping_ = false;
        appkit::postToMain(this, [this, chain] { loopStep(chain, false); });
    }
}

void ViewAnimation::setCallAnimation(bool value) {
    callAnimation_ = value;
    setAlphaValue(0);
    if (isHidden()) return;
    appkit::postToMainAfter(this, kCallDelay, [this] {
        MyFrame = frame();
        animate();
    });
}

void ViewAnimation::setVisible(bool visible) {
    const bool wasHidden = isHidden();
    if (!visible) stopRunningEffects();
    appkit::View::setVisible(visible);
    if (visible && wasHidden) viewDidUnhide();
}

void ViewAnimation::viewDidUnhide() {
    MyFrame = frame();
    animate();
}

void ViewAnimation::animate() {
    if (Slide != -1) slideIn();
    if (SlideOut != -1) appkit::postToMainAfter(this, OutDelay, [this] { slideOut(); });
    if (Fade) fadeIn();
    if (FadeOut) {
        appkit::postToMainAfter(this, OutDelay, [this] {
            animationcontext::animate(
                Duration, appkit::TimingFunction::easeInEaseOut(),
                [this] { appkit::animator(*this).setAlphaValue(0); },
                [this] {
                    if (WillHide) setHidden(true);
                },
                this);
        });
    }
    if (Attraction != -1) {
        auto shakeBy = [this](double dx, double dw) {
            const cg::Rect f = frame();
            shake(cg::Rect(f.origin.x - dx, f.origin.y, f.size.width + dw, f.size.height));
        };
        appkit::postToMainAfter(this, Attraction, [shakeBy] { shakeBy(3, 5); });
        appkit::postToMainAfter(this, 2 * Attraction, [shakeBy] { shakeBy(5, 10); });
    }
    if (isBlinking) blink();
    if (Glow != -1) startGlow();
}

cg::Rect ViewAnimation::slideStartFrame() {
    const cg::Rect current = frame();
    setFrame(sideFrame(current, Slide));
    return current;
}

cg::Rect ViewAnimation::subviewSlideStartFrame(QWidget& subview) {
    const cg::Rect own = frame();
    const cg::Rect f = frameOf(&subview);
    cg::Rect start = f;
    switch (Slide) {
        case 4:
            start.origin.y = own.origin.y - own.size.height;
            break;
        case 3:
            start.origin.x = own.origin.x + own.size.width;
            break;
        case 2:
            start.origin.y = own.origin.y + own.size.height;
            break;
        default:
            start.origin.x = own.origin.x - own.size.width;
            break;
    }
    setFrameOf(&subview, start);
    return f;
}

void ViewAnimation::slideIn() {
    if (SlideSub) {
        appkit::postToMain(this, [this] { slideSubviews(); });
        return;
    }
    const cg::Rect target = slideStartFrame();
    if (alphaValue() == 0) setAlphaValue(1);
    appkit::postToMainAfter(this, Delay, [this, target] { animateFrame(*this, target, Duration); });
}

void ViewAnimation::slideSubviews() {
    if (alphaValue() == 0) setAlphaValue(1);
    double extra = 0;
    for (QWidget* sub : subviews()) {
        const cg::Rect target = subviewSlideStartFrame(*sub);
        QPointer<QWidget> guard(sub);
        const double duration = Duration + extra;
        appkit::postToMainAfter(this, Delay, [this, guard, target, duration] {
            if (guard) animateFrame(*guard, target, duration);
        });
        extra += kSubviewStagger;
    }
}

void ViewAnimation::slideOut() {
    if (alphaValue() == 0) setAlphaValue(1);
    const cg::Rect target = sideFrame(frame(), SlideOut);
    animationcontext::animate(
        Duration, appkit::TimingFunction::easeInEaseOut(),
        [this, target] { appkit::animator(*this).setFrame(target); },
        [this] {
            if (WillHide) setHidden(true);
            if (WillRemove) {
                // Out of its superview nothing owns the view any more: it goes, and so do its steps.
                removeFromSuperview(this);
                deleteLater();
            }
        },
        this);
}

void ViewAnimation::fadeIn() {
    if (alphaValue() == 0) setAlphaValue(1);
    const double target = alphaValue();
    setAlphaValue(0);
    appkit::postToMainAfter(this, Delay, [this, target] {
        animationcontext::animate(Duration, appkit::TimingFunction::easeInEaseOut(),
                                  [this, target] { appkit::animator(*this).setAlphaValue(target); });
    });
}

void ViewAnimation::shake(const cg::Rect& to) {
    if (!layer()) return;
    // The layer moves by the rectangle's origin; its size has no meaning for a position.
    appkit::KeyPathAnimation animation;
    animation.keyPath = appkit::KeyPath::positionX;
    animation.fromValue = 0;
    animation.toValue = to.origin.x - frame().origin.x;
    animation.duration = 0.1;
    animation.autoreverses = true;
    animation.repeatCount = 1.0 / (2 * animation.duration);  // back at rest after 1 s
    addAnimation(animation, kShakeKey);
}

void ViewAnimation::blink() {
    if (!layer()) return;
    appkit::KeyPathAnimation animation;
    animation.keyPath = appkit::KeyPath::opacity;
    animation.values = {1, 0.7, 1};
    animation.keyTimes = {0, 0.5, 1};
    animation.duration = 2.0;
    animation.repeatCount = INFINITY;
    // Under one key, so a replay replaces the running blink instead of adding another.
    addAnimation(animation, kBlinkKey);
}

void ViewAnimation::startGlow() {
    const unsigned chain = ++glowChain_;
    if (!glowing_) glowBase_ = frame();
    glowing_ = true;
    appkit::postToMainAfter(this, phase(Delay), [this, chain] { glowGrow(chain); });
}

void ViewAnimation::glowGrow(unsigned chain) {
    if (chain != glowChain_ || isHidden()) return;
    // Grown and shrunk from one base frame, so the breathing never drifts.
    animateFrame(*this, glowBase_.insetBy(-Glow, -Glow), Duration);
    appkit::postToMainAfter(this, phase(Duration), [this, chain] { glowShrink(chain); });
}

void ViewAnimation::glowShrink(unsigned chain) {
    if (chain != glowChain_ || isHidden()) return;
    animateFrame(*this, glowBase_, Duration);
    appkit::postToMainAfter(this, phase(Delay), [this, chain] { glowGrow(chain); });
}

void ViewAnimation::stopRunningEffects() {
    ++glowChain_;
    if (glowing_) setFrame(glowBase_);
    glowing_ = false;
    removeAnimation(kBlinkKey);
    removeAnimation(kShakeKey);
}

void ViewAnimation::loopStep(unsigned chain, bool repeat) {
    if (chain != loopChain_) return;
    if (DoLoopCount < 1 || isHidden()) {
        looping_ = false;
        return;
    }
    setAlphaValue(0);
    setFrame(MyFrame);
    animate();
    --DoLoopCount;
    if (repeat) {
        appkit::postToMainAfter(this, doLoop_, [this, chain] { loopStep(chain, true); });
    } else {
        looping_ = false;
    }
}

void ViewAnimation::animateFrame(QWidget& view, const cg::Rect& target, double duration) {
    QPointer<QWidget> guard(&view);
    animationcontext::animate(duration, appkit::TimingFunction::easeInEaseOut(), [guard, target] {
        if (guard) appkit::animator(*guard).setFrame(target);
    });
}

}  // namespace controls
