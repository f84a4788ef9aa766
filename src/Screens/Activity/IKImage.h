#pragma once
// IKImage: a picture view whose own image is set with imageSet, or which shows the bundle's "blank"
// image under a picture that fills its layer (imageFill). Main thread only.

#include <QImage>
#include <optional>

#include "Screens/Activity/LayerContentsView.h"

namespace screens {

class IKImage : public LayerContentsView {
    Q_OBJECT
  public:
    explicit IKImage(QWidget* parent = nullptr) : LayerContentsView(parent) {}

    const std::optional<QImage>& imageFill() const { return imageFill_; }
    void setImageFill(std::optional<QImage> image);
    const std::optional<QImage>& imageSet() const { return imageSet_; }
    // An absent or empty image leaves the view as it is.
    void setImageSet(std::optional<QImage> image);
    // The picture view's own image (under the layer's picture).
    const QImage& viewImage() const { return viewImage_; }

  protected:
    const QImage& shownImage() const override;

  private:
    std::optional<QImage> imageFill_;
    std::optional<QImage> imageSet_;
    QImage viewImage_;
};

}  // namespace screens
