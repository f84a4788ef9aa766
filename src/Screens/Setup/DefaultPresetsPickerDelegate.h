#pragma once
// How the size picker hands the sizes a user picked to the screen that opened it, and which of its
// two modes that screen wants. Main thread only.

#include <any>
#include <vector>

#include "Core/Records/PresetInfo.h"

class DefaultPresetsPickerDelegate {
  public:
    // Editor: a click on a saved size applies it at once. List: saved sizes are ticked and handed
    // over together with the custom size on Done.
    enum class PickerMode { Other, Editor, List };

    virtual ~DefaultPresetsPickerDelegate() = default;
    virtual PickerMode pickerMode() const { return PickerMode::Other; }
    // `picked`: the size dictionaries, in order (possibly none). `presetGiven` comes back unchanged.
    virtual void didPickPresets(const std::vector<core::PresetInfo>& picked, const std::any& presetGiven) = 0;
};
