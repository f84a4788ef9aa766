#pragma once
// Cuts a smart crop's area out of the photo file and scales it to exactly the target, decoding no more
// detail than the area needs (a 1920 × 1080 window of a 24-megapixel photo decodes at a half or a quarter
// of its size). Runs on the caller's thread.

#include <filesystem>
#include <optional>

#include "Core/Crop/CropSender.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace core {

// `area` is in the pixels of the upright photo, whose size is `original`. The sender, when given, is
// shown the decoded photo and the window cut from it, then may pause the worker. None when the file does
// not load or the area misses the photo.
std::optional<image::Image> cutToTarget(const std::filesystem::path& source, cg::Size original,
                                        const cg::Rect& area, cg::Size target, CropSender* sender);

// The same cut from `picture`, a decode of the photo at any scale that the caller has already made; the
// area may as well be given on any scaled picture of the photo, whose size is then `original`.
std::optional<image::Image> cutToTarget(const image::Image& picture, cg::Size original, const cg::Rect& area,
                                        cg::Size target, CropSender* sender);

// `area` of `picture` (already in memory, in its pixels), kept inside it and scaled to exactly the target.
// The sender, when given, is shown the picture and the window, then may pause the worker. None when the
// area is larger than the picture or smaller than a pixel.
std::optional<image::Image> cutToTarget(const image::Image& picture, const cg::Rect& area, cg::Size target,
                                        CropSender* sender);

}  // namespace core
