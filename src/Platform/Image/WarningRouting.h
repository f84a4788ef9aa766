#pragma once
// Routes libvips' warnings and libtiff's errors to the current thread's log (see WarningLog.h),
// dropping them when there is none, instead of printing them on standard error.

namespace image::detail {

// Called once, when libvips starts; the handlers then run on whichever thread reports.
void installWarningHandler();

}  // namespace image::detail
