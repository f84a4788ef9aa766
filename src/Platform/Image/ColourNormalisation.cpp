#include "Platform/Image/ColourNormalisation.h"

#include "Platform/Image/VipsRuntime.h"

namespace image::detail {

namespace {

bool hasProfile(const vips::VImage& im) {
    return im.get_typeof(VIPS_META_ICC_NAME) != 0;
}

// The colour bands of `in` (alpha left out) as sRGB.
vips::VImage colourToSRGB(const vips::VImage& colour, bool isCmyk) {
    if (hasProfile(colour) || isCmyk) {
        auto options = vips::VImage::option()
                           ->set("embedded", true)
                           ->set("intent", VIPS_INTENT_RELATIVE)
                           ->set("depth", 8);
        if (!hasProfile(colour)) options->set("input_profile", "cmyk");
        try {
            return colour.icc_transform("srgb", options);
        } catch (const vips::VError&) {
            // A broken or mismatched profile (an RGB profile on a greyscale image, say): read the
            // values as they stand rather than refuse the image.
            detail::forgetErrors();
        }
    }
    return colour.colourspace(VIPS_INTERPRETATION_sRGB);
}

// Alpha at 8 bits, scaled (not clipped) from 16.
vips::VImage alphaTo8(const vips::VImage& alpha) {
    if (alpha.format() == VIPS_FORMAT_USHORT) return (alpha / 257.0).rint().cast(VIPS_FORMAT_UCHAR);
    return alpha.cast(VIPS_FORMAT_UCHAR);
}

}  // namespace

vips::VImage toSRGB8(const vips::VImage& in) {
    const bool isCmyk = in.interpretation() == VIPS_INTERPRETATION_CMYK;
    const bool alreadyThere = in.interpretation() == VIPS_INTERPRETATION_sRGB &&
                              in.format() == VIPS_FORMAT_UCHAR && !hasProfile(in) &&
                              (in.bands() == 3 || (in.bands() == 4 && in.has_alpha()));
    if (alreadyThere) return in;
    vips::VImage out;
    if (in.has_alpha()) {
        const int colourBands = in.bands() - 1;
        const auto colour = in.extract_band(0, vips::VImage::option()->set("n", colourBands))
                                .copy(vips::VImage::option()->set("interpretation", in.interpretation()));
        out = colourToSRGB(colour, isCmyk)
                  .cast(VIPS_FORMAT_UCHAR)
                  .bandjoin(alphaTo8(in.extract_band(colourBands)));
    } else {
        out = colourToSRGB(in, isCmyk).cast(VIPS_FORMAT_UCHAR);
    }
    out = out.copy(vips::VImage::option()->set("interpretation", VIPS_INTERPRETATION_sRGB));
    if (hasProfile(out)) out.remove(VIPS_META_ICC_NAME);
    return out;
}

}  // namespace image::detail
