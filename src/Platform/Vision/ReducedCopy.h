#pragma once
// The small copy of a picture that the detectors look at, made in memory from a picture already decoded.
// A pure function of its input; safe on any thread.

#include <optional>

#include "Platform/Image/Image.h"

namespace vision {

// `picture` reduced to at most `longSide` pixels on its long side (never enlarged) by one Lanczos pass,
// with its pixels computed; none when libvips fails. One pass costs the same for tall pictures as for wide
// ones, where a resize through a fractional box shrink costs ten times as much on a tall one.
std::optional<image::Image> reducedCopy(const image::Image& picture, int longSide);

}  // namespace vision
