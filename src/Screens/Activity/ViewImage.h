#pragma once
// ViewImage: a view whose picture comes from an image (imageFill), a copy scaled to cover it
// (imageFillResized), a named resource with an optional gravity (imagePos: "name" or
// "name|gravity"), an image address with an optional gravity (imageUrl), or the preview image a web
// page names (imageWeb). Addresses are files (file:// or absolute paths) or http(s) addresses,
// read off the main thread within a time and size bound; a picture that arrives after the value
// changed is dropped. Main thread only.

#include <QImage>
#include <optional>
#include <string>

#include "Screens/Activity/LayerContentsView.h"

namespace screens {

class ViewImage : public LayerContentsView {
    Q_OBJECT
  public:
    explicit ViewImage(QWidget* parent = nullptr) : LayerContentsView(parent) {}

    const std::optional<QImage>& imageFill() const { return imageFill_; }
    void setImageFill(std::optional<QImage> image);
    const std::optional<QImage>& imageFillResized() const { return imageFillResized_; }
    void setImageFillResized(std::optional<QImage> image);
    const std::optional<std::string>& imagePos() const { return imagePos_; }
    void setImagePos(std::optional<std::string> value);
    const std::optional<std::string>& imageUrl() const { return imageUrl_; }
    // The picture is read 0.1 s later; nothing changes when it cannot be read.
    void setImageUrl(std::optional<std::string> value);
    const std::optional<std::string>& imageWeb() const { return imageWeb_; }
    void setImageWeb(std::optional<std::string> value);

  private:
    void loadInBackground(const std::string& address, std::optional<std::string> gravity, bool fromPage);
    void takeLoaded(unsigned generation, const QImage& image, const std::optional<std::string>& gravity);

    std::optional<QImage> imageFill_;
    std::optional<QImage> imageFillResized_;
    std::optional<std::string> imagePos_;
    std::optional<std::string> imageUrl_;
    std::optional<std::string> imageWeb_;
    unsigned generation_ = 0;
};

}  // namespace screens
