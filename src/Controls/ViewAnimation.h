#pragma once
// ViewAnimation: a view that animates itself when it is shown (unhidden) or when `callAnimation` is
// set: slide in from a side (itself or its subviews one after another), fade in, slide or fade out
// after a delay and then hide or leave its superview, shake, blink, breathe (glow) and replay on a
// period. Each view runs at most one glow, one blink and one replay loop however often it replays;
// hiding or destroying the view stops them. Main thread only; delayed steps run on the main queue.

#include "Platform/AppKit/View.h"

namespace controls {

class ViewAnimation : public appkit::View {
    Q_OBJECT
  public:
    // Made as a scene makes it: layer-backed and clipped to its bounds, so blinking and shaking
    // work without the caller asking for a layer.
    explicit ViewAnimation(QWidget* parent = nullptr);
    // Made with a frame in code: no layer, so no blink or shake; the other effects work through the
    // view's own frame and opacity.
    static ViewAnimation* withFrame(const cg::Rect& frame, QWidget* parent = nullptr);

    // Stored switches, set by the scene builder; only callAnimation and DoLoop act when set.
    cg::Rect MyFrame;
    bool isBlinking = false;
    double Duration = 1;
    double Delay = 0;
    double OutDelay = 0;
    bool SlideSub = false;
    long long Slide = -1;
    long long SlideOut = -1;
    bool WillHide = false;
    bool WillRemove = false;
    bool Fade = false;
    bool FadeOut = false;
    long long DoLoopCount = 10000;
    double Attraction = -1;
    double Glow = -1;

    double DoLoop() const { return doLoop_; }
    // Stores the period and (re)starts the replay loop: a period above 0 replays every period; 0 or
    // less replays once, now.
    void setDoLoop(double seconds);
    bool callAnimation() const { return callAnimation_; }
    // Stores the value (either value starts the animation): transparent now, effects 0.1 s later.
    void setCallAnimation(bool value);

    virtual void animate();
    virtual void blink();
    // Moves the view to where it slides in from and returns the frame it had.
    virtual cg::Rect slideStartFrame();
    virtual cg::Rect subviewSlideStartFrame(QWidget& subview);
    virtual void slideIn();
    virtual void fadeIn();
    void slideOut();
    void shake(const cg::Rect& to);

    // The frame `side` (2 above, 3 right, 4 below, anything else left) places `frame` at.
    static cg::Rect sideFrame(const cg::Rect& frame, long long side);
    bool isGlowing() const { return glowing_; }
    bool isLooping() const { return looping_; }

    void setVisible(bool visible) override;

  protected:
    virtual void viewDidUnhide();

  private:
    void slideSubviews();
    void startGlow();
    void glowGrow(unsigned chain);
    void glowShrink(unsigned chain);
    void stopRunningEffects();
    void loopStep(unsigned chain, bool repeat);
    void animateFrame(QWidget& view, const cg::Rect& frame, double duration);

    double doLoop_ = -1;
    bool callAnimation_ = true;
    unsigned glowChain_ = 0, loopChain_ = 0;
    bool glowing_ = false, looping_ = false;
    cg::Rect glowBase_;
};

}  // namespace controls
