#pragma once
// The output folder every job-starting screen needs before it starts: the remembered one while it
// still exists, otherwise the one the user picks now in a folder panel (which may make a new
// folder). A folder that was deleted or moved since it was chosen is asked for again rather than
// letting the job end with nothing written. Main thread only: the panel runs modally.

namespace foundation {
class UserDefaults;
}

namespace screens {

// True when an output folder is remembered in `defaults` after the call; false when the user
// cancelled the panel or picked no folder.
bool ensureOutputFolder(foundation::UserDefaults& defaults);

}  // namespace screens
