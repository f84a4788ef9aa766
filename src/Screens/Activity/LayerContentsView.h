#pragma once
// LayerContentsView: a view that shows one picture as its layer's contents, placed by a contents
// gravity (aspect fill unless set) and clipped to its bounds. The image views of the scenes are
// built on it. Main thread only.

#include <QImage>

#include "Platform/AppKit/View.h"
#include "Screens/Activity/ContentsGravity.h"

namespace screens {

class LayerContentsView : public appkit::View {
    Q_OBJECT
  public:
    explicit LayerContentsView(QWidget* parent = nullptr) : appkit::View(parent) {}

    const QImage& contents() const { return contents_; }
    void setContents(QImage contents);
    ContentsGravity contentsGravity() const { return gravity_; }
    void setContentsGravity(ContentsGravity gravity);
    // A layer gravity name; an unknown one keeps the current gravity.
    void setContentsGravityNamed(std::string_view name);
    // Where the contents are drawn now, in the view's coordinates.
    QRectF contentsFrame() const;

  protected:
    void drawContent(QPainter& painter) override;
    // The picture drawn: the contents, or what a subclass shows without them.
    virtual const QImage& shownImage() const { return contents_; }

  private:
    QImage contents_;
    ContentsGravity gravity_ = ContentsGravity::ResizeAspectFill;
};

// A copy of `image` that covers `viewSize`: scaled by max(w / iw, h / ih), sides floored. A null
// image for an empty image or view.
QImage coverCopy(const QImage& image, QSizeF viewSize);

}  // namespace screens
