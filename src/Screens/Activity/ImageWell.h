#pragma once
// ImageWell: an image view that draws its image scaled to fit, centred, never enlarged past its
// size. It remembers the name of a named image it shows ("select", "deselect"). Main thread only.

#include <QImage>
#include <QWidget>
#include <string>

namespace screens {

class ImageWell : public QWidget {
    Q_OBJECT
  public:
    explicit ImageWell(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(QImage image);
    // Shows the application's image of that name (drawn here when the resources lack it).
    void setImageNamed(const std::string& name);
    const std::string& imageName() const { return imageName_; }
    // Where the image is drawn (scaled to fit, centred); the whole well when there is no image.
    QRect imageRect() const;

  Q_SIGNALS:
    void imageChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
    std::string imageName_;
};

}  // namespace screens
