#include "Platform/AppKit/LayerHost.h"

#include <QPainter>
#include <QVariantAnimation>
#include <algorithm>
#include <cmath>

#include "Platform/AppKit/AnimationClock.h"
#include "Platform/AppKit/Autoresizing.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/LayerEffect.h"
#include "Platform/AppKit/LayerPainter.h"

namespace appkit {

namespace {

// The animation's values at their times: the keyframes, or from and to.
std::vector<std::pair<double, double>> keyframes(const KeyPathAnimation& a, double current) {
    std::vector<std::pair<double, double>> frames;
    if (a.values.empty()) return {{0.0, a.fromValue.value_or(current)}, {1.0, a.toValue}};
    const std::size_t n = a.values.size();
    const bool timed = a.keyTimes.size() == n;
    for (std::size_t i = 0; i < n; ++i) {
        const double even = n == 1 ? 1.0 : static_cast<double>(i) / static_cast<double>(n - 1);
        frames.emplace_back(timed ? std::clamp(a.keyTimes[i], 0.0, 1.0) : even, a.values[i]);
    }
    if (frames.front().first > 0) frames.insert(frames.begin(), {0.0, frames.front().second});
    if (frames.back().first < 1) frames.emplace_back(1.0, frames.back().second);
    return frames;
}

}  // namespace

LayerHost::LayerHost(QWidget& widget) : widget_(widget) {}

LayerHost::~LayerHost() {
    for (auto& [key, running] : animations_)
        if (running.animation) running.animation->disconnect(&widget_);
    // The effect reads this layer; it must not outlive it.
    if (effect_) widget_.setGraphicsEffect(nullptr);
}

LayerHost* LayerHost::of(QWidget* widget) {
    return dynamic_cast<LayerHost*>(widget);
}

void LayerHost::paintLayerBelowContent(QPainter& painter, bool flipped) {
    if (!wantsLayer_) return;
    painter.setRenderHint(QPainter::Antialiasing);
    LayerPainter(painter, QRectF(widget_.rect()), flipped).paintBelowContent(layer_);
}

void LayerHost::paintLayerBorder(QPainter& painter, bool flipped) {
    if (!wantsLayer_) return;
    LayerPainter(painter, QRectF(widget_.rect()), flipped).paintBorder(layer_);
}

void LayerHost::layerHostResized(QSize old, QSize now) {
    if (old.isValid() && old != now) {
        const double dw = now.width() - old.width(), dh = now.height() - old.height();
        for (auto& sub : layer_.sublayers)
            sub->frame = autoresized(sub->frame, sub->autoresizingMask, dw, dh);
    }
    updateMask();
}

void LayerHost::setAlphaValue(double alpha) {
    layer_.opacity = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
    updateEffect();
    widget_.update();
}

void LayerHost::setWantsLayer(bool wants) {
    if (wantsLayer_ == wants) return;
    wantsLayer_ = wants;
    layerDidChange();
}

void LayerHost::layerDidChange() {
    updateEffect();
    updateMask();
    widget_.update();
}

void LayerHost::updateEffect() {
    const bool needed = layer_.presented(KeyPath::opacity) < 1 || (wantsLayer_ && layer_.showsShadow());
    if (needed && !effect_) {
        effect_ = new LayerEffect(layer_, &widget_);
        widget_.setGraphicsEffect(effect_);
    } else if (!needed && effect_) {
        widget_.setGraphicsEffect(nullptr);  // deletes it
    } else if (effect_) {
        effect_->update();
    }
}

void LayerHost::updateMask() {
    if (wantsLayer_ && layer_.masksToBounds && layer_.cornerRadius > 0) {
        const QPainterPath path = LayerPainter::roundedPath(QRectF(widget_.rect()), layer_.cornerRadius);
        widget_.setMask(QRegion(path.toFillPolygon().toPolygon()));
    } else if (!widget_.mask().isEmpty()) {
        widget_.clearMask();
    }
}

void LayerHost::addAnimation(const KeyPathAnimation& animation, const std::string& key,
                             std::shared_ptr<Layer> layer) {
    if (animations_.count(key)) stopAnimation(key, false);
    Layer* target = layer ? layer.get() : &layer_;
    const auto frames = keyframes(animation, target->presented(animation.keyPath));
    const double from = frames.front().second;
    const double to = frames.back().second;
    const bool endless = animation.repeatCount >= 1e30 || std::isinf(animation.repeatCount);
    const int ms = AnimationClock::scaledMilliseconds(animation.duration * (animation.autoreverses ? 2 : 1));

    Running running{nullptr, layer, animation.keyPath, !animation.removedOnCompletion, animation.didStop};
    if (ms == 0) {
        // On a stopped clock the animation is over as soon as it starts; an endless one rests at its end.
        if (running.keepEnd || endless)
            target->presentation[animation.keyPath] = animation.autoreverses ? from : to;
        if (endless) {
            animations_[key] = std::move(running);
        } else if (animation.didStop) {
            postToMain(&widget_, [didStop = animation.didStop] { didStop(true); });
        }
        updateEffect();
        widget_.update();
        return;
    }
    auto* qt = new QVariantAnimation(&widget_);
    qt->setDuration(ms);
    qt->setEasingCurve(animation.timingFunction.easingCurve());
    for (const auto& [at, value] : frames) {
        if (animation.autoreverses) {
            // Forward over the first half, then back over the second.
            qt->setKeyValueAt(at / 2, value);
            qt->setKeyValueAt(1 - at / 2, value);
        } else {
            qt->setKeyValueAt(at, value);
        }
    }
    const double repeats = std::max(1.0, std::ceil(animation.repeatCount));
    qt->setLoopCount(endless || repeats > 1e6 ? -1 : static_cast<int>(repeats));
    const std::string keyPath = animation.keyPath;
    QObject::connect(qt, &QVariantAnimation::valueChanged, &widget_,
                     [this, target, keyPath](const QVariant& v) {
                         target->presentation[keyPath] = v.toDouble();
                         if (target == &layer_ && keyPath == KeyPath::opacity) updateEffect();
                         widget_.update();
                     });
    QObject::connect(qt, &QAbstractAnimation::finished, &widget_, [this, key] { stopAnimation(key, true); });
    running.animation = qt;
    target->presentation[animation.keyPath] = from;
    animations_[key] = std::move(running);
    qt->start();
}

void LayerHost::stopAnimation(const std::string& key, bool finished) {
    auto it = animations_.find(key);
    if (it == animations_.end()) return;
    Running running = std::move(it->second);
    animations_.erase(it);
    Layer* target = running.layer ? running.layer.get() : &layer_;
    double end = target->presented(running.keyPath);
    if (running.animation) {
        end = running.animation->endValue().toDouble();
        running.animation->disconnect(&widget_);
        running.animation->stop();
        running.animation->deleteLater();
    }
    if (finished && running.keepEnd)
        target->presentation[running.keyPath] = end;
    else
        target->presentation.erase(running.keyPath);
    updateEffect();
    widget_.update();
    if (running.didStop) postToMain(&widget_, [didStop = running.didStop, finished] { didStop(finished); });
}

void LayerHost::removeAnimation(const std::string& key) {
    stopAnimation(key, false);
}

void LayerHost::removeAllAnimations() {
    while (!animations_.empty()) stopAnimation(animations_.begin()->first, false);
}

}  // namespace appkit
