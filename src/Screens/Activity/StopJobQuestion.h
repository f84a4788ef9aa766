#pragma once
// The question asked before something the user asked for would stop a running job (leaving its
// tab, adding images to the list it works on): the job stops only when the user says so. Main
// thread only.

#include <functional>
#include <string>

#include "Platform/AppKit/Alert.h"

class ActivityVC;
namespace appkit {
class ViewController;
}

namespace screens {

// "Stop the running job?" with "Stop Job" (first) and "Keep Job"; `why` says what stopping it is for.
appkit::Alert stopJobAlert(const std::string& why);

// Runs `add` at once unless a job runs on `activity`. Then the user is asked, as a sheet on the
// window of `pane`: "Stop Job" stops the job and runs `add`; "Keep Job" leaves both alone. An
// answer that comes after `pane` has gone does nothing.
void confirmAddingImagesDuringJob(appkit::ViewController& pane, ActivityVC* activity,
                                  std::function<void()> add);

}  // namespace screens
