#pragma once
// The window's one question about a running job: "Stop the running job?", asked before something
// the user asked for would stop it (leaving its tab, adding images to the list it works on or
// removing them), or the question before closing an activity. The job stops only when the user
// says so. While a question is up, every other request that would stop a job joins it and learns
// the same answer, so the user is asked once and never sees two sheets. Main thread only.

#include <QObject>
#include <cstddef>
#include <functional>
#include <string>

#include "Screens/Activity/ImageListHost.h"

class ActivityVC;
namespace appkit {
class Alert;
class ViewController;
class Window;
}  // namespace appkit

namespace screens {

// What becomes of files opened from the file manager while a question is up, when the job is kept.
enum class OpenedFilesOnKeep {
    LetGo,        // the question says they are not added
    HandledAfter  // they go on as if opened after the answer
};

// Shows `alert`, whose first button stops the job, as the window's one question; `answered` learns
// whether it was chosen. While a question is up, `answered` joins it instead and `alert` is not
// shown. With an owner, `answered` is dropped once the owner is gone.
void askAboutJob(appkit::Window& window, appkit::Alert alert, OpenedFilesOnKeep openedFiles,
                 std::function<void(bool stop)> answered, const QObject* owner = nullptr);

// Asks, as a sheet on `window`, "Stop the running job?" with "Stop Job" (first) and "Keep Job";
// `why` says what stopping it is for. `answered` learns whether the user chose Stop Job. While a
// question is up, `answered` joins it instead of asking again. With an owner, `answered` is dropped
// once the owner is gone.
void askToStopJob(appkit::Window& window, const std::string& why, std::function<void(bool stop)> answered,
                  const QObject* owner = nullptr);
// Runs `answered` with the answer of the question that is up; false, and nothing runs, when none is.
bool joinStopJobQuestion(std::function<void(bool stop)> answered, const QObject* owner = nullptr);
bool isStopJobQuestionUp();
// What the question that is up does with opened files when the job is kept.
OpenedFilesOnKeep openedFilesOnKeep();
// `count` more files opened from the file manager wait for the answer of the question that is up;
// one that lets them go with a kept job says so.
void holdOpenedFiles(std::size_t count);

// Runs `change` at once unless a job runs on `activity` (from the moment its screen shows for the
// job until its completion shows). Then the user is asked, as a sheet on the window of `pane`:
// "Stop Job" stops the job and runs `change`; "Keep Job" leaves both alone. Without a window to ask
// on, the job is kept. An answer that comes after `pane` has gone does nothing.
void confirmListChangeDuringJob(appkit::ViewController& pane, ActivityVC* activity, ListChange kind,
                                std::function<void()> change);

}  // namespace screens
