#pragma once
// An immutable image: a handle to a lazy libvips pipeline and its size. One point is one pixel, so the
// size and the pixel size are the same. Copies share the pipeline; operations return new images and
// compute nothing until pixels are read or the image is encoded. Any thread may use any image.

#include "Platform/Graphics/Geometry.h"

#include <memory>

namespace image {

class Image {
  public:
    struct Data;  // defined in VipsImage.h, for Platform code that works on the pixels

    explicit Image(std::shared_ptr<const Data> data);

    int width() const;
    int height() const;
    cg::Size size() const { return {double(width()), double(height())}; }
    bool hasAlpha() const;

    // True when both handles are the very same image (not merely equal pixels).
    bool isSameObject(const Image& other) const { return data_ == other.data_; }

    const Data& data() const { return *data_; }

  private:
    std::shared_ptr<const Data> data_;
};

}  // namespace image
