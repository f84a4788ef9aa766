#pragma once
// The thumbnail of one effect of the effects grid: the source through the effect (the automatic
// enhancement through its numbered option), scaled to cover the item's image view. The source is
// a reduced copy of the first image of the list, or a drawn sample scene when the list is empty.
// Pure functions on image values; safe from any thread.

#include <QImage>
#include <optional>

#include "Core/Effects/FMFilter.h"
#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

namespace setup {

// Absent when the view or the image has no area, or nothing could be made.
std::optional<image::Image> renderEffectThumbnail(const image::Image& source, const core::FMFilter& effect,
                                                  cg::Size viewSize);

// A small landscape (sky, sun, hills) that shows what each effect does when there is no image yet.
QImage sampleEffectScene();

}  // namespace setup
