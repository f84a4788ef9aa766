#include "Platform/AppKit/AnimationContext.h"

#include <QParallelAnimationGroup>
#include <QPauseAnimation>
#include <QPointer>
#include <QVariantAnimation>
#include <vector>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/Dispatch/Queue.h"

namespace appkit {

namespace {
std::vector<AnimationContext*>& openGroups() {
    // Groups are built on the main thread only; the stack holds the ones being built right now.
    static thread_local std::vector<AnimationContext*> groups;
    return groups;
}
}  // namespace

AnimationContext* AnimationContext::current() {
    auto& groups = openGroups();
    return groups.empty() ? nullptr : groups.back();
}

void AnimationContext::runAnimationGroup(const std::function<void(AnimationContext&)>& changes,
                                         std::function<void()> completion, const QObject* owner) {
    if (completion && owner) {
        QPointer<const QObject> guard(owner);
        completion = [guard, inner = std::move(completion)] {
            if (guard) inner();
        };
    }
    AnimationContext context;
    context.group_ = new QParallelAnimationGroup;
    openGroups().push_back(&context);
    if (changes) changes(context);
    openGroups().pop_back();

    const int ms = AnimationClock::scaledMilliseconds(context.duration);
    QParallelAnimationGroup* group = context.group_;
    if (ms == 0) {
        // On a stopped clock every animator setter has already landed at its end value.
        delete group;
        if (completion) dispatch::Queue::main().async(std::move(completion));
        return;
    }
    group->addAnimation(new QPauseAnimation(ms));
    QObject::connect(group, &QAbstractAnimation::finished, [completion = std::move(completion)] {
        if (completion) dispatch::Queue::main().async(completion);
    });
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void AnimationContext::animate(QObject* target, const QVariant& from, const QVariant& to,
                               std::function<void(const QVariant&)> apply, std::function<void()> finished) {
    AnimationContext* context = current();
    if (!context) {
        runAnimationGroup(
            [&](AnimationContext&) { animate(target, from, to, std::move(apply), std::move(finished)); });
        return;
    }
    QPointer<QObject> guard(target);
    const int ms = AnimationClock::scaledMilliseconds(context->duration);
    if (ms == 0) {
        apply(to);
        if (finished) finished();
        return;
    }
    auto* animation = new QVariantAnimation;
    animation->setDuration(ms);
    animation->setEasingCurve(context->timingFunction.easingCurve());
    animation->setStartValue(from);
    animation->setEndValue(to);
    QObject::connect(animation, &QVariantAnimation::valueChanged, [guard, apply](const QVariant& v) {
        if (guard) apply(v);
    });
    QObject::connect(animation, &QAbstractAnimation::finished, [guard, finished = std::move(finished)] {
        if (guard && finished) finished();
    });
    context->group_->addAnimation(animation);
}

}  // namespace appkit
