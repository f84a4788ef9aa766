#pragma once
// The scenes of the storyboard "Main" that the application shell brings: the first-run switch, the
// welcome pages, the tab switcher and the small screens. Call once before the main window is made;
// registering again replaces the same factories. Main thread only.

namespace appkit {
class Storyboard;
}

void registerShellScenes(appkit::Storyboard& storyboard);
