#include "Screens/Setup/AddPresetContainerForMac.h"

#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/PickerSegueSender.h"

AddPresetContainerForMac::AddPresetContainerForMac() {
    setIdentifier(ids::scene::AddPresetContainerForMac);
}

void AddPresetContainerForMac::loadView() {
    auto* root = new appkit::View;
    root->setAutoFillBackground(true);
    root->setMinimumSize(560, 480);
    root->resize(560, 480);
    setView(root);
}

void AddPresetContainerForMac::viewDidLoad() {
    performSegue(ids::Segue_AddNewPreset);
}

void AddPresetContainerForMac::prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) {
    ViewController::prepareForSegue(segue, sender);
    const auto* list = std::any_cast<setup::PickerSegueSender>(&sender);
    auto* picker = dynamic_cast<DefaultPresetsPickerVC*>(segue.destinationController());
    if (list && picker) setup::configurePicker(*picker, *list);
}
