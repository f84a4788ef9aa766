#pragma once
// InterpolationAnimation: a value animated from a start to an end value over a number of frames
// (the duration at a frame rate), after an optional delay in frames. Each frame hands the current
// value and the fraction done to the progress handler; the completion handler gets the final value
// and whether the animation ran to its end (false when it was cancelled). Whoever ticks the frames
// decides the clock: Libraries/Support/Animation runs them on the main queue on the layer clock,
// tests may tick them by hand. Main thread only, like the interface it animates.

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

#include "Libraries/Support/Interpolation.h"

namespace support {

template <class T>
requires ScalarMultipliable<T> && Subtractable<T> && Summable<T>
class InterpolationAnimation {
  public:
    enum class InterpolationAnimationState { start, animating, finished, cancelled };
    using ProgressHandler = std::function<void(const T& value, double fractionComplete)>;
    using CompletionHandler = std::function<void(const T& value, bool finished)>;
    using InterpolationFunction = std::function<T(const T& from, const T& to, CGFloat fraction)>;

    // A duration that is negative or not a number counts as 0; at least one frame is always run.
    InterpolationAnimation(double duration, T startValue, T endValue, int numberOfFramesPerSecond = 60,
                           int numberOfFramesToDelay = 0)
        : duration_(std::isfinite(duration) && duration > 0 ? duration : 0),
          startValue_(std::move(startValue)),
          endValue_(std::move(endValue)),
          numberOfFramesToDelay_(std::max(0, numberOfFramesToDelay)),
          numberOfFramesPerSecond_(std::max(1, numberOfFramesPerSecond)) {
        // A frame count beyond a day of frames would only ever be cut short; keep it in range.
        const double frames = std::min(std::round(duration_ * numberOfFramesPerSecond_), 86400.0 * 1000);
        numberOfFrames_ = std::max(1, static_cast<int>(frames));
    }
    virtual ~InterpolationAnimation() = default;
    InterpolationAnimation(const InterpolationAnimation&) = delete;
    InterpolationAnimation& operator=(const InterpolationAnimation&) = delete;

    double duration() const { return duration_; }
    const T& startValue() const { return startValue_; }
    const T& endValue() const { return endValue_; }
    int frameNumber() const { return frameNumber_; }
    int numberOfFrames() const { return numberOfFrames_; }
    int delayNumber() const { return delayNumber_; }
    int numberOfFramesToDelay() const { return numberOfFramesToDelay_; }
    int numberOfFramesPerSecond() const { return numberOfFramesPerSecond_; }
    InterpolationAnimationState state() const { return state_; }

    void setProgressHandler(ProgressHandler handler) { progressHandler_ = std::move(handler); }
    void setCompletionHandler(CompletionHandler handler) { completionHandler_ = std::move(handler); }
    // The blend of the start and end values by a fraction; a straight line unless replaced.
    const InterpolationFunction& interpolationFunction() {
        if (!interpolationFunction_)
            interpolationFunction_ = [](const T& from, const T& to, CGFloat fraction) -> T {
                return from + (to - from) * fraction;
            };
        return *interpolationFunction_;
    }
    void setInterpolationFunction(InterpolationFunction function) {
        interpolationFunction_ = std::move(function);
    }

    // The fraction of the frames run, 0 during the delay.
    double fractionComplete() const { return static_cast<double>(frameNumber_) / numberOfFrames_; }
    T currentValue() {
        if (frameNumber_ >= numberOfFrames_) return endValue_;
        if (frameNumber_ == 0) return startValue_;
        return interpolationFunction()(startValue_, endValue_, fractionComplete());
    }

    // Starts a new animation; one that already started is left alone.
    void start() {
        if (state_ == InterpolationAnimationState::start) state_ = InterpolationAnimationState::animating;
    }
    // One tick of the frame clock: a delay frame, or the next frame with its progress, and the
    // completion after the last one. True while the animation wants more frames.
    bool advanceFrame() {
        if (state_ != InterpolationAnimationState::animating) return false;
        if (delayNumber_ < numberOfFramesToDelay_) {
            ++delayNumber_;
            return true;
        }
        ++frameNumber_;
        const T value = currentValue();
        if (progressHandler_) progressHandler_(value, fractionComplete());
        if (frameNumber_ < numberOfFrames_) return true;
        state_ = InterpolationAnimationState::finished;
        if (completionHandler_) completionHandler_(value, true);
        return false;
    }
    // Stops where it is: the completion handler gets the current value and false. Nothing happens to
    // an animation that has ended.
    void cancel() {
        if (state_ == InterpolationAnimationState::finished ||
            state_ == InterpolationAnimationState::cancelled)
            return;
        state_ = InterpolationAnimationState::cancelled;
        if (completionHandler_) completionHandler_(currentValue(), false);
    }

  private:
    double duration_;
    T startValue_;
    T endValue_;
    int frameNumber_ = 0;
    int numberOfFrames_ = 1;
    int delayNumber_ = 0;
    int numberOfFramesToDelay_;
    int numberOfFramesPerSecond_;
    ProgressHandler progressHandler_;
    CompletionHandler completionHandler_;
    std::optional<InterpolationFunction> interpolationFunction_;
    InterpolationAnimationState state_ = InterpolationAnimationState::start;
};

}  // namespace support
