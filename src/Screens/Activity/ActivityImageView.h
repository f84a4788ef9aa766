#pragma once
// ActivityImageView: a view showing one image scaled to fit and centred (the preview panel's images
// and the result thumbnails), or nothing. Main thread only.

#include <QImage>
#include <optional>

#include "Platform/AppKit/View.h"
#include "Platform/Image/Image.h"

class ActivityImageView : public appkit::View {
    Q_OBJECT
  public:
    explicit ActivityImageView(QWidget* parent = nullptr);

    const std::optional<image::Image>& image() const { return image_; }
    void setImage(std::optional<image::Image> image);

  protected:
    void drawContent(QPainter& painter) override;

  private:
    std::optional<image::Image> image_;
    QImage pixels_;
};
