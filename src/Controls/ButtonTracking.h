#pragma once
// Renewing a button's tracking rectangle: the old one goes and one new one comes, so entering and
// leaving are reported once per crossing however often it is renewed. Main thread only.

#include "Controls/ButtonBase.h"

namespace controls {

void renewTrackingRect(ButtonBase& button);
// Renews it once, 5 s from now, unless the button is gone by then.
void scheduleTrackingRenewal(ButtonBase& button);

}  // namespace controls
