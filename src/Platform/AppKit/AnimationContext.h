#pragma once
// Animation groups: changes made through the animator setters inside `runAnimationGroup` animate
// together with the group's duration and timing function, and the completion runs once, on the main
// queue, after the last of them has ended (at once when the clock runs at zero duration). Animator
// changes outside any group animate with the default duration. Main thread only.

#include <QVariant>
#include <functional>

#include "Platform/AppKit/TimingFunction.h"

class QObject;
class QParallelAnimationGroup;

namespace appkit {

class AnimationContext {
  public:
    double duration = 0.25;
    TimingFunction timingFunction = TimingFunction::easeInEaseOut();
    bool allowsImplicitAnimation = false;

    // With an `owner`, the completion is dropped when the owner is gone by the time it would run.
    static void runAnimationGroup(const std::function<void(AnimationContext&)>& changes,
                                  std::function<void()> completion = {}, const QObject* owner = nullptr);
    // The innermost group being built on the main thread, or nullptr.
    static AnimationContext* current();

    // Animates from `from` to `to`, calling `apply` with each value (nothing once `target` is gone)
    // in the current group, or in a group of its own when there is none. `finished` runs after the
    // end value was applied.
    static void animate(QObject* target, const QVariant& from, const QVariant& to,
                        std::function<void(const QVariant&)> apply, std::function<void()> finished = {});

  private:
    AnimationContext() = default;
    QParallelAnimationGroup* group_ = nullptr;
};

}  // namespace appkit
