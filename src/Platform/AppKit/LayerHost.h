#pragma once
// LayerHost: the layer of one widget, as a mixin for any QWidget subclass. It holds the root layer
// (background, corner radius and clip, border, shadow, opacity, sublayers), the graphics effect
// for opacity and shadow, the rounded clip of child widgets, and key-path animations. The widget
// calls the paint and resize hooks (View and Layered<Base> do). Main thread only.

#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "Platform/AppKit/KeyPathAnimation.h"
#include "Platform/AppKit/Layer.h"

class QPainter;
class QVariantAnimation;

namespace appkit {

class LayerEffect;

class LayerHost {
  public:
    explicit LayerHost(QWidget& widget);
    virtual ~LayerHost();
    LayerHost(const LayerHost&) = delete;
    LayerHost& operator=(const LayerHost&) = delete;

    // The host of a widget that has a layer (a View or a Layered widget), or nullptr.
    static LayerHost* of(QWidget* widget);

    double alphaValue() const { return layer_.opacity; }
    void setAlphaValue(double alpha);

    bool wantsLayer() const { return wantsLayer_; }
    void setWantsLayer(bool wants);
    // The root layer, or nullptr until wantsLayer is on. Call layerDidChange() after editing it.
    Layer* layer() { return wantsLayer_ ? &layer_ : nullptr; }
    const Layer* layer() const { return wantsLayer_ ? &layer_ : nullptr; }
    void layerDidChange();

    // Key-path animations on the root layer (layer == nullptr) or on a sublayer of it. An
    // animation under the same key replaces the running one.
    void addAnimation(const KeyPathAnimation& animation, const std::string& key,
                      std::shared_ptr<Layer> layer = nullptr);
    void removeAnimation(const std::string& key);
    void removeAllAnimations();
    bool hasAnimation(const std::string& key) const { return animations_.count(key) != 0; }

  protected:
    // Paint hooks: the background, clip and sublayers below the widget's own content, the border above.
    void paintLayerBelowContent(QPainter& painter, bool flipped);
    void paintLayerBorder(QPainter& painter, bool flipped);
    // Resize hook: sublayers follow by their masks; the rounded clip follows the new size.
    void layerHostResized(QSize old, QSize now);

  private:
    void updateEffect();
    void updateMask();
    void stopAnimation(const std::string& key, bool finished);

    QWidget& widget_;
    bool wantsLayer_ = false;
    Layer layer_;
    QPointer<LayerEffect> effect_;
    struct Running {
        QPointer<QVariantAnimation> animation;
        std::shared_ptr<Layer> layer;
        std::string keyPath;
        bool keepEnd = false;
        std::function<void(bool)> didStop;
    };
    std::map<std::string, Running> animations_;
};

}  // namespace appkit
