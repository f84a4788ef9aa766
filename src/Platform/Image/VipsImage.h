#pragma once
// The bridge between Image and libvips, for Platform code only (the image operations here and the
// QImage conversion of Platform/AppKit). Everything above Platform uses Image.h alone. A VImage is
// immutable once wrapped: derive new ones, never change its metadata in place. Thread-safe.

#include "Platform/Image/Image.h"

#include <vips/vips8>

namespace image {

struct Image::Data {
    vips::VImage pixels;
};

Image fromVips(vips::VImage pixels);
inline const vips::VImage& toVips(const Image& image) {
    return image.data().pixels;
}

}  // namespace image
