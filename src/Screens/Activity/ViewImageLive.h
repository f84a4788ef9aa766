#pragma once
// ViewImageLive: a view that shows a picture as a copy scaled to cover it, made again once a resize
// ends (a burst of resizes makes one new copy, a moment after the last). Main thread only.

#include <QImage>
#include <QTimer>
#include <optional>

#include "Screens/Activity/LayerContentsView.h"

namespace screens {

class ViewImageLive : public LayerContentsView {
    Q_OBJECT
  public:
    explicit ViewImageLive(QWidget* parent = nullptr);

    const std::optional<QImage>& imageFillResized() const { return imageFillResized_; }
    void setImageFillResized(std::optional<QImage> image);
    // Makes the covering copy for the current size.
    void renderResized();
    virtual void viewDidEndLiveResize();
    // How many copies were made, for the checks of the resize rule.
    int renderCount() const { return renders_; }

    // How long after the last resize the resize counts as ended.
    static constexpr int kResizeEndMilliseconds = 150;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::optional<QImage> imageFillResized_;
    QTimer resizeEnd_;
    int renders_ = 0;
};

}  // namespace screens
