#pragma once
// Registers the scenes of the Rename and Bulk tabs in a storyboard: the tab screens, their option
// containers and option panes, and the rename sheet. The screens keep their settings in `defaults`
// (the output folder, the Bulk percentage), which must outlive them; `hooks` connect them to the
// application shell. Main thread only.

#include <functional>

class ActivityVC;
class RenameMasterVC;
namespace appkit {
class Storyboard;
}
namespace foundation {
class UserDefaults;
}

struct TabSceneHooks {
    // The Rename tab's screen has loaded (the tab switcher remembers it).
    std::function<void(RenameMasterVC&)> renameMasterDidLoad;
    // A rename run starts on this activity screen (the Cancel Activity menu item points at it).
    std::function<void(ActivityVC&)> renameActivityDidStart;
};

void registerTabScenes(appkit::Storyboard& storyboard, foundation::UserDefaults& defaults,
                       TabSceneHooks hooks = {});
