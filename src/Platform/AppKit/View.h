#pragma once
// View: the stand-in for a platform view on a QWidget. It keeps its subviews in the order they were
// added (independent of Qt's stacking), a tag, accessibility value and label, an alpha value, an
// autoresizing mask, and a frame in y-up coordinates of its superview (unless the superview is
// flipped). With wantsLayer it paints a Layer (background, corner radius and clip, border, shadow,
// gradients) and runs key-path animations on it. Main thread only.

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/AppKit/KeyPathAnimation.h"
#include "Platform/AppKit/Layer.h"
#include "Platform/Graphics/Geometry.h"

class QVariantAnimation;

namespace appkit {

class LayerEffect;

namespace Autoresizing {
inline constexpr unsigned None = 0, MinXMargin = 1, WidthSizable = 2, MaxXMargin = 4, MinYMargin = 8,
                          HeightSizable = 16, MaxYMargin = 32;
}

class View : public QWidget {
    Q_OBJECT
  public:
    explicit View(QWidget* parent = nullptr);
    ~View() override;

    int tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    // This view or the first descendant (depth first, in subview order) with the tag.
    QWidget* viewWithTag(int tag);
    static int tagOf(const QWidget* widget);
    static void setTagOf(QWidget* widget, int tag);

    QVariant accessibilityValue() const { return accessibilityValue_; }
    void setAccessibilityValue(QVariant value) { accessibilityValue_ = std::move(value); }
    QString accessibilityLabel() const { return accessibleName(); }
    void setAccessibilityLabel(const QString& label) { setAccessibleName(label); }

    // Subviews in the order they were added; only widgets still alive and still children here.
    std::vector<QWidget*> subviews() const;
    void addSubview(QWidget* view);
    void insertSubview(QWidget* view, std::size_t index);
    // Takes `view` out of its superview (it is hidden and owned by no widget afterwards).
    static void removeFromSuperview(QWidget* view);
    View* superview() const;

    // Coordinates: y up, unless the view is flipped.
    virtual bool isFlipped() const { return false; }
    cg::Rect frame() const;
    void setFrame(const cg::Rect& frame);
    void setFrameSize(const cg::Size& size);
    void setFrameOrigin(const cg::Point& origin);
    cg::Rect bounds() const { return cg::Rect(0, 0, width(), height()); }
    // The frame of any widget in its parent's coordinates, in the parent's convention.
    static cg::Rect frameOf(const QWidget* widget);
    static void setFrameOf(QWidget* widget, const cg::Rect& frame);
    // Converts between the spec-side y and Qt's y for a child rectangle of `parent`.
    static QRect toQtRect(const QWidget* parent, const cg::Rect& frame);

    // Subviews added with addSubview and sublayers follow this view's size changes by their masks,
    // counted from the size the view had when they were placed: give a view its designed size first.
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }

    double alphaValue() const { return layer_.opacity; }
    void setAlphaValue(double alpha);

    bool wantsLayer() const { return wantsLayer_; }
    void setWantsLayer(bool wants);
    // The root layer, or nullptr until wantsLayer is on. Call layerDidChange() after editing it.
    Layer* layer() { return wantsLayer_ ? &layer_ : nullptr; }
    const Layer* layer() const { return wantsLayer_ ? &layer_ : nullptr; }
    void layerDidChange();
    void setNeedsDisplay() { update(); }

    // Key-path animations on the root layer (layer == nullptr) or on a sublayer of it. An
    // animation under the same key replaces the running one.
    void addAnimation(const KeyPathAnimation& animation, const std::string& key,
                      std::shared_ptr<Layer> layer = nullptr);
    void removeAnimation(const std::string& key);
    void removeAllAnimations();
    bool hasAnimation(const std::string& key) const { return animations_.count(key) != 0; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Paints the view's own content, between the layer's background and its border.
    virtual void drawContent(QPainter&) {}

  private:
    void updateEffect();
    void updateMask();
    // Applies the subviews' autoresizing masks for the change from the last size seen to now.
    void syncAutoresizing();
    void stopAnimation(const std::string& key, bool finished);

    int tag_ = 0;
    QVariant accessibilityValue_;
    std::vector<QPointer<QWidget>> subviews_;
    unsigned autoresizingMask_ = Autoresizing::None;
    QSize laidOutSize_;  // invalid until the first placement or layout
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
