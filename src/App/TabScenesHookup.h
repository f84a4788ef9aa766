#pragma once
// Registers the Rename and Bulk tabs for the application: they run on the application's settings,
// the Rename tab registers with the tab switcher, and a rename run is what Cancel Activity in the
// menu cancels. Main thread only.

namespace appkit {
class Storyboard;
}

void registerAppTabScenes(appkit::Storyboard& storyboard);
