#pragma once
// View: the stand-in for a platform view on a QWidget. It keeps its subviews in the order they were
// added (independent of Qt's stacking), a tag, accessibility value and label, an alpha value, an
// autoresizing mask, and a frame in y-up coordinates of its superview (unless the superview is
// flipped). Its layer (LayerHost) is painted under its content (drawContent) and its border over
// it. Main thread only.

#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/AppKit/Autoresizing.h"
#include "Platform/AppKit/LayerHost.h"
#include "Platform/Graphics/Geometry.h"

namespace appkit {

class View : public QWidget, public LayerHost {
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
    // The same for any widget (a button carrying its row, say).
    static QVariant accessibilityValueOf(const QWidget* widget);
    static void setAccessibilityValueOf(QWidget* widget, QVariant value);
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
    // The Qt rectangle of a child frame of `parent` given in the parent's convention.
    static QRect toQtRect(const QWidget* parent, const cg::Rect& frame);
    // A widget's rectangle in screen coordinates, y up from the bottom of the primary screen.
    static cg::Rect frameOnScreen(const QWidget* widget);

    // Subviews added with addSubview and sublayers follow this view's size changes by their masks,
    // counted from the size the view had when they were placed: give a view its designed size first.
    unsigned autoresizingMask() const { return autoresizingMask_; }
    void setAutoresizingMask(unsigned mask) { autoresizingMask_ = mask; }

    void setNeedsDisplay() { update(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Paints the view's own content, between the layer's background and its border.
    virtual void drawContent(QPainter&) {}

  private:
    // Applies the subviews' autoresizing masks for the change from the last size seen to now.
    void syncAutoresizing();

    int tag_ = 0;
    QVariant accessibilityValue_;
    std::vector<QPointer<QWidget>> subviews_;
    unsigned autoresizingMask_ = Autoresizing::None;
    QSize laidOutSize_;  // invalid until the first placement or layout
};

}  // namespace appkit
