#include "Platform/Image/ColourNormalisation.h"

namespace image::detail {

namespace {

bool hasProfile(const vips::VImage& im) {
    return im.get_typeof(VIPS_META_ICC_NAME) != 0;
}

vips::VImage throughProfile(const vips::VImage& in) {
    auto options =
        vips::VImage::option()->set("embedded", true)->set("intent", VIPS_INTENT_RELATIVE)->set("depth", 8);
    if (!hasProfile(in)) options->set("input_profile", "cmyk");
    return in.icc_transform("srgb", options);
}

}  // namespace

vips::VImage toSRGB8(const vips::VImage& in) {
    vips::VImage out = in;
    const bool isCmyk = in.interpretation() == VIPS_INTERPRETATION_CMYK;
    if (hasProfile(in) || isCmyk) {
        try {
            out = throughProfile(in);
        } catch (const vips::VError&) {
            // A broken or mismatched profile (an RGB profile on a greyscale image, say): read the
            // values as they stand rather than refuse the image.
            vips_error_clear();
            out = in;
        }
    }
    if (out.interpretation() != VIPS_INTERPRETATION_sRGB || out.format() != VIPS_FORMAT_UCHAR) {
        out = out.colourspace(VIPS_INTERPRETATION_sRGB);
    }
    if (out.format() != VIPS_FORMAT_UCHAR) out = out.cast(VIPS_FORMAT_UCHAR);
    if (hasProfile(out)) {
        out = out.copy();
        out.remove(VIPS_META_ICC_NAME);
    }
    return out;
}

}  // namespace image::detail
