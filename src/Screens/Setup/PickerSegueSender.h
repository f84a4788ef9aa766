#pragma once
// What a container hands the size picker it slides in: the screen that receives the picked sizes
// (which decides the picker's mode), the size picked before (shown in the picker's controls), and
// the saved sizes already in use (ticked in list mode). Main thread only.

#include <optional>
#include <vector>

#include "Core/Records/PresetInfo.h"

class DefaultPresetsPickerDelegate;
class DefaultPresetsPickerVC;

namespace setup {

struct PickerSegueSender {
    DefaultPresetsPickerDelegate* delegate = nullptr;
    std::optional<core::PresetInfo> shownSize;
    std::vector<core::PresetInfo> ticked;
};

// Gives the picker its delegate, its ticked sizes and the size to show, before it is on screen, so
// that a quick click can never come before them.
void configurePicker(DefaultPresetsPickerVC& picker, const PickerSegueSender& sender);

}  // namespace setup
