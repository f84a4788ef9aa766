#pragma once
// The question asked before a running activity is closed, from its own close button or from the
// Cancel Activity menu command. Main thread only.

#include <QPointer>

#include "Screens/Activity/ActivityVC.h"

namespace appkit {
class Window;
}  // namespace appkit

// Asks as a sheet on `window`, as the window's one question about a running job, and cancels
// `activity` when the user answers "Yes"; "No" leaves it running. Nothing happens without a window.
// The answer is dropped when `owner` is gone by then.
void confirmCloseActivity(appkit::Window* window, QPointer<ActivityVC> activity, const QObject* owner);
