#include "Controls/AnimatedNumber.h"

#include <QPointer>
#include <charconv>
#include <cmath>
#include <memory>

#include "Controls/LabelOpacity.h"
#include "Platform/AppKit/AnimationContext.h"
#include "Platform/AppKit/GuardedDispatch.h"

namespace textfield {

namespace {

constexpr double kStepSpeedUp = 0.005;

struct Count {
    QPointer<QLineEdit> label;
    QString prefix, suffix;
    bool wholeNumbers = false;
    bool up = true;
    double start = 0, end = 0;
    double speedUp = 0;      // how much shorter each step is than the one before
    long long maxSteps = 0;  // counting stops here even where single precision would stall
};

void showText(QLineEdit& label, const QString& text) {
    label.setText(text);
}

void countStep(std::shared_ptr<const Count> count, long long k, double duration) {
    if (!count->label) return;
    // The value is start ± k, not a running sum, so it advances by exactly 1 at any magnitude.
    const double v =
        count->up ? count->start + static_cast<double>(k) : count->start - static_cast<double>(k);
    const float shown = static_cast<float>(v);
    QLineEdit* label = count->label;
    appkit::AnimationContext::runAnimationGroup(
        [&](appkit::AnimationContext& group) {
            group.duration = duration;
            group.timingFunction = appkit::TimingFunction::easeOut();
            showText(*label, numberText(count->prefix, shown, count->suffix, count->wholeNumbers));
        },
        [count, k, duration, shown] {
            if (!count->label) return;
            const bool goOn =
                count->up ? shown <= static_cast<float>(count->end) : static_cast<float>(count->end) < shown;
            if (goOn && k + 1 <= count->maxSteps) {
                appkit::postToMainAfter(count->label, duration, [count, k, duration] {
                    countStep(count, k + 1, duration - count->speedUp);
                });
                return;
            }
            showText(*count->label, numberText(count->prefix, static_cast<float>(count->end), count->suffix,
                                               count->wholeNumbers));
        },
        label);
}

void startCount(Count count, double duration) {
    if (!count.label) return;
    if (!std::isfinite(count.start) || !std::isfinite(count.end)) {
        showText(*count.label, numberText(count.prefix, count.end, count.suffix, count.wholeNumbers));
        return;
    }
    count.maxSteps = static_cast<long long>(std::ceil(std::fabs(count.end - count.start))) + 2;
    countStep(std::make_shared<const Count>(std::move(count)), 0, duration);
}

}  // namespace

QString numberText(const QString& prefix, double value, const QString& suffix, bool wholeNumbers) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, wholeNumbers ? 0 : 1);
    const QString number = result.ec == std::errc()
                               ? QString::fromLatin1(buffer, static_cast<int>(result.ptr - buffer))
                               : QString();
    return prefix + number + suffix;
}

void animateNumber(QLineEdit& label, const QString& prefix, const QString& suffix, bool wholeNumbers,
                   bool countUp, float start, float end, double duration) {
    startCount({&label, prefix, suffix, wholeNumbers, countUp, start, end, kStepSpeedUp, 0}, duration);
}

void countUpNumber(QLineEdit& label, const QString& prefix, const QString& suffix, float start, float end,
                   double duration) {
    startCount({&label, prefix, suffix, false, true, start, end, 0, 0}, duration);
}

void fadeToText(QLineEdit& label, const QString& text, double duration) {
    QPointer<QLineEdit> guard(&label);
    appkit::AnimationContext::runAnimationGroup(
        [&](appkit::AnimationContext& group) {
            group.duration = duration;
            group.timingFunction = appkit::TimingFunction::easeOut();
            animateAlphaValue(label, 0);
        },
        [guard, text, duration] {
            if (!guard) return;
            appkit::AnimationContext::runAnimationGroup([&](appkit::AnimationContext& group) {
                group.duration = duration;
                group.timingFunction = appkit::TimingFunction::easeIn();
                showText(*guard, text);
                animateAlphaValue(*guard, 1.0);
            });
        },
        &label);
}

}  // namespace textfield
