#include "Controls/ButtonImg.h"

#include "Controls/ImageOperations.h"

namespace controls {

void ButtonImg::setIconTemplate(bool on) {
    iconTemplate_ = on;
    if (image()) {
        image()->isTemplate = on;
        update();
    }
}

void ButtonImg::setIconTint(const cg::Color& tint) {
    iconTint_ = tint;
    if (image()) setImage(ButtonImage::make(image::tinted(image()->pixels, tint), image()->isTemplate));
}

}  // namespace controls
