#pragma once
// The Advanced tab in the application: it registers with the tab switcher when it loads, its runs
// use the application's settings for the output folder and the presets, and a run points the
// Cancel Activity menu item at its job. Main thread only.

namespace appkit {
class Storyboard;
}

void registerAdvancedScenes(appkit::Storyboard& storyboard);
