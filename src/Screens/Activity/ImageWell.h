#pragma once
// ImageWell: an image view that draws its image scaled to fit, centred, never enlarged past its
// size; or, as a tile's picture, filling its whole frame (cropped to it) with a placeholder of the
// same frame while it has no image. It remembers the name of a named image it shows ("select",
// "deselect"). A tile whose picture is on its way shows a turning spinner instead of the
// placeholder, which is kept for a picture that could not be made. Main thread only.

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
    // Where the image is drawn (scaled to fit, centred); the whole well when there is no image or
    // when the image fills the frame.
    QRect imageRect() const;
    // A tile's picture: the image covers the whole well, and without one the well shows a placeholder.
    void setFillsFrame(bool fills);
    bool fillsFrame() const { return fillsFrame_; }
    // A tile's picture is being made: until an image arrives the well shows a spinner. Setting an
    // image (even an empty one, for a picture that could not be made) ends the wait.
    void setLoading(bool loading);
    bool isLoading() const { return loading_; }

  Q_SIGNALS:
    void imageChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void updateSpinner();

    QImage image_;
    std::string imageName_;
    bool fillsFrame_ = false;
    bool loading_ = false;
    int spinnerTimer_ = 0;
    int spinnerStep_ = 0;
};

}  // namespace screens
