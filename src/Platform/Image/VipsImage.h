#pragma once
// The bridge between Image and libvips, for Platform code only (the image operations here and the
// QImage conversion of Platform/AppKit). Everything above Platform uses Image.h alone.

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
