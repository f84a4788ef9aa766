#pragma once
// Registers the preset list scene for the application: the screen runs on the application's
// settings, rebuilds the presets menu when its presets change, and is the one the presets menu runs
// presets through. Main thread only.

namespace appkit {
class Storyboard;
}

void registerPresetListScene(appkit::Storyboard& storyboard);
