#pragma once
// Registers the scenes of the activity and result screens in a storyboard: the activity container
// and screen, the per-preset result table, the results grid, and the image list with the item and cell that
// the results grid shares with it. A scene already registered (by the application or a test) is left as it
// is. Main thread only.

namespace appkit {
class Storyboard;
}

void registerActivityScenes(appkit::Storyboard& storyboard);
