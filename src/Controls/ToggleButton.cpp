#include "Controls/ToggleButton.h"

#include <QMouseEvent>

#include "Controls/ImageOperations.h"

namespace controls {

void ToggleButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = event->button() == Qt::LeftButton && isPressed();
    ButtonBase::mouseReleaseEvent(event);
    if (!clicked || !image()) return;  // nothing to turn without an image
    const double degrees = state() != StateValue::Off ? 270 : 90;
    setImage(ButtonImage::make(image::rotated(image()->pixels, degrees), true));
}

}  // namespace controls
