#pragma once
// The preset editor sheet in the application: its scenes run on the application's settings, its
// message popover is the application delegate's, and a finished preset joins the user's presets
// at once (saved to disk before the sheet closes) and shows in the preset list, which the main
// window switches to when another tab shows. Main thread only.

#include "Core/Records/PresetInfo.h"

namespace appkit {
class Storyboard;
class ViewController;
}  // namespace appkit

void registerPresetEditorScenes(appkit::Storyboard& storyboard);

// Opens the editor as a sheet of `presenter`'s window.
void openPresetEditor(appkit::ViewController& presenter);

// Adds a preset the editor made: to the preset list at once when it shows, otherwise to the shared
// list and the settings, then the main window switches to the preset list, which shows it.
void addNewPreset(const core::PresetInfo& preset);
