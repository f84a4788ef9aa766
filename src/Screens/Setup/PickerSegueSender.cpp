#include "Screens/Setup/PickerSegueSender.h"

#include "Screens/Setup/DefaultPresetsPickerVC.h"

namespace setup {

void configurePicker(DefaultPresetsPickerVC& picker, const PickerSegueSender& sender) {
    picker.loadViewIfNeeded();
    picker.mArrPresetsSelected = sender.ticked;
    picker.setPresetPickerDelegate(sender.delegate);
    if (sender.shownSize) picker.fillFromPreset(*sender.shownSize);
}

}  // namespace setup
