#include "Controls/DisablableScrollView.h"

#include <QWheelEvent>

namespace controls {

void DisablableScrollView::wheelEvent(QWheelEvent* event) {
    if (isEnabled_) {
        QScrollArea::wheelEvent(event);
        return;
    }
    // Ignored, the event travels on to the parent widget, as a next responder would get it.
    event->ignore();
}

}  // namespace controls
