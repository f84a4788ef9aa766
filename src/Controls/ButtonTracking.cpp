#include "Controls/ButtonTracking.h"

#include "Platform/AppKit/GuardedDispatch.h"

namespace controls {

void renewTrackingRect(ButtonBase& button) {
    // The rectangle added last is the live one; dropping it (rather than one chosen by the view's
    // tag) keeps exactly one.
    for (const int tag : std::vector<int>(button.trackingRectTags())) button.removeTrackingRect(tag);
    button.addTrackingRect();
}

void scheduleTrackingRenewal(ButtonBase& button) {
    appkit::postToMainAfter(&button, 5.0, [&button] { renewTrackingRect(button); });
}

}  // namespace controls
