// Writes one image with every effect of the effects grid applied to the same generated photo, side
// by side and labelled with the effect's display name, so a person can judge the looks.
// Usage: effects_sheet [output.png]

#include "Core/Effects/FMFilter.h"
#include "Core/Effects/ImageEffectOption.h"
#include "Platform/Image/Filter.h"
#include "Platform/Image/VipsImage.h"
#include "Support/SyntheticPhoto.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    const char* output = argc > 1 ? argv[1] : "effects-sheet.png";
    (void)ci::Filter::named("CIColorInvert");  // starts libvips
    const image::Image photo = image::fromVips(testsupport::syntheticPhoto(360, 240).copy_memory());
    std::vector<vips::VImage> tiles;
    for (const auto& filter : core::FMFilter::allFilters()) {
        const bool automatic = filter.filterCase() == core::FMFilter::Case::CIPhotoEffectAutoEnhance;
        const auto out = automatic ? core::applyImageEffectOption(photo, 5) : filter.apply(photo);
        vips::VImage tile = image::toVips(out.value_or(photo));
        if (tile.has_alpha())
            tile =
                tile.flatten(vips::VImage::option()->set("background", std::vector<double>{255, 255, 255}));
        const vips::VImage label = vips::VImage::text(
            filter.displayName().c_str(), vips::VImage::option()->set("dpi", 110)->set("font", "sans"));
        const vips::VImage caption =
            (label.embed(6, 4, tile.width(), label.height() + 8) * -1.0 + 255.0).cast(VIPS_FORMAT_UCHAR);
        tile = tile.join(vips::VImage::bandjoin({caption, caption, caption}), VIPS_DIRECTION_VERTICAL);
        tiles.push_back(
            tile.embed(6, 6, tile.width() + 12, tile.height() + 12,
                       vips::VImage::option()->set("background", std::vector<double>{255, 255, 255})));
    }
    vips::VImage::arrayjoin(
        tiles, vips::VImage::option()->set("across", 6)->set("background", std::vector<double>{255}))
        .write_to_file(output);
    std::printf("%zu effects written to %s\n", tiles.size(), output);
    return 0;
}
