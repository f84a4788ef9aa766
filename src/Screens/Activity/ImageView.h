#pragma once
// ImageView: a view that shows one image, which it can turn into a template: drawn as a shape in
// the text colour of the current style, so it reads on light and dark. Main thread only.

#include <QImage>

#include "Screens/Activity/LayerContentsView.h"

namespace screens {

class ImageView : public LayerContentsView {
    Q_OBJECT
  public:
    explicit ImageView(QWidget* parent = nullptr);

    const QImage& image() const { return contents(); }
    // A new image is not a template until `template` is set again.
    void setImage(QImage image);
    bool isTemplate() const { return template_; }
    // Stores the flag; the image the view has now becomes a template (or not). Without an image
    // nothing else changes.
    void setTemplate(bool on);
    bool imageIsTemplate() const { return imageIsTemplate_; }

  protected:
    const QImage& shownImage() const override;
    void changeEvent(QEvent* event) override;

  private:
    void tint();

    bool template_ = false;
    bool imageIsTemplate_ = false;
    QImage tinted_;
};

}  // namespace screens
