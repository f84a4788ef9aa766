#include "Platform/Image/Image.h"

#include "Platform/Image/VipsImage.h"

#include <utility>

namespace image {

Image::Image(std::shared_ptr<const Data> data) : data_(std::move(data)) {}

int Image::width() const {
    return data_->pixels.width();
}
int Image::height() const {
    return data_->pixels.height();
}
bool Image::hasAlpha() const {
    return data_->pixels.has_alpha();
}

Image fromVips(vips::VImage pixels) {
    return Image(std::make_shared<const Image::Data>(Image::Data{std::move(pixels)}));
}

}  // namespace image
