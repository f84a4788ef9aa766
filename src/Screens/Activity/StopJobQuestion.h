#pragma once
// The window's one question about a running job: "Stop the running job?", asked before something
// the user asked for would stop it (leaving its tab, adding images to the list it works on or
// removing them), the question before closing an activity, or the one before quitting. The job stops
// only when the user says so. One question at a time: what arrives while it is up waits for it
// (RequestGate) and the question names what its answer would drop. Main thread only.

#include <QObject>
#include <cstddef>
#include <functional>
#include <string>

#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/RequestGate.h"

class ActivityVC;
namespace appkit {
class Alert;
class ViewController;
class Window;
}  // namespace appkit

namespace screens {

// Shows `alert`, whose first button stops the job, as the window's one question; `answered` learns
// whether it was chosen; `drops` says what that answer does to the requests waiting meanwhile, so
// that the question names them. While a question or any other modal is up, the question waits for
// it and is asked then. With an owner, `answered` is dropped once the owner is gone.
void askAboutJob(appkit::Window& window, appkit::Alert alert, QuestionDrops drops,
                 std::function<void(bool stop)> answered, const QObject* owner = nullptr);

// Asks, as a sheet on `window`, "Stop the running job?" with "Stop Job" (first) and "Keep Job";
// `why` says what stopping it is for. `answered` learns whether the user chose Stop Job. With an
// owner, `answered` is dropped once the owner is gone.
void askToStopJob(appkit::Window& window, const std::string& why, QuestionDrops drops,
                  std::function<void(bool stop)> answered, const QObject* owner = nullptr);
// Runs `answered` with the answer of the question that is up; false, and nothing runs, when none is.
bool joinStopJobQuestion(std::function<void(bool stop)> answered, const QObject* owner = nullptr);
bool isStopJobQuestionUp();
// `what` (files opened from the file manager, collected images, a preset chosen from the menu) is
// what the question that is up was asked for: keeping the job drops it, and the question says so.
void holdForAnswer(WaitingRequest what);
// Whether the question that is up was asked for opened files (so more of them join it).
bool questionHoldsOpenedFiles();
// Writes the question's text again, after the requests waiting for it changed.
void refreshStopJobQuestionText();

// Runs `change` at once unless a job runs on `activity` (from the moment its screen shows for the
// job until its completion shows). Then the user is asked, as a sheet on the window of `pane`:
// "Stop Job" stops the job and runs `change`; "Keep Job" leaves both alone. Without a window to ask
// on, the job is kept. An answer that comes after `pane` has gone does nothing.
void confirmListChangeDuringJob(appkit::ViewController& pane, ActivityVC* activity, ListChange kind,
                                std::function<void()> change);

}  // namespace screens
