#include "Screens/Setup/AdvancedHolderVC.h"

#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/StoryboardSegue.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Setup/AdvancedTVC.h"
#include "Screens/Setup/DefaultPresetsPickerVC.h"
#include "Screens/Setup/PickerSegueSender.h"
#include "Screens/Setup/RenameOptionTVC.h"

AdvancedHolderVC::AdvancedHolderVC() {
    setIdentifier(ids::scene::AdvancedHolderVC);
}

void AdvancedHolderVC::loadView() {
    auto* root = new appkit::View;
    root->setAutoFillBackground(true);
    setView(root);
}

void AdvancedHolderVC::viewDidLoad() {
    performSegue(ids::Segue_Advanced);
}

AdvancedTVC* AdvancedHolderVC::optionsPane() const {
    return children().empty() ? nullptr : dynamic_cast<AdvancedTVC*>(children().front().get());
}

ActivityVC* AdvancedHolderVC::activityVC() const {
    if (children().size() < 2) return nullptr;
    auto* holder = dynamic_cast<ActivityHolderVC*>(children()[1].get());
    return holder ? holder->activityVC() : nullptr;
}

void AdvancedHolderVC::prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) {
    ViewController::prepareForSegue(segue, sender);
    // What the new screen needs is handed over before it shows, so no click can come first.
    auto* picker = dynamic_cast<DefaultPresetsPickerVC*>(segue.destinationController());
    if (const auto* list = std::any_cast<setup::PickerSegueSender>(&sender); list && picker)
        setup::configurePicker(*picker, *list);
    auto* formatTaker = dynamic_cast<OutputFormatHolder*>(segue.destinationController());
    if (AdvancedTVC* pane = optionsPane(); formatTaker && pane)
        formatTaker->strOutputFormat = pane->strOutputFormat;
    // The rename pane previews names in the chosen format and reports back to the options pane;
    // both are set before its view loads, so its first preview already uses them.
    auto* rename = dynamic_cast<RenameOptionTVC*>(segue.destinationController());
    if (AdvancedTVC* pane = optionsPane(); rename && pane) {
        rename->strOutputFormat = pane->strOutputFormat;
        rename->vcCallFrom = pane;
        if (rename->isViewLoaded()) rename->runLoadSteps();
    }
}

bool AdvancedHolderVC::isActivityRunning() const {
    const ActivityVC* activity = activityVC();
    return activity && activity->isActivityRunning();
}

bool AdvancedHolderVC::isActivityStopping() const {
    const ActivityVC* activity = activityVC();
    return activity && activity->isActivityRunning() && activity->isGotCancel();
}

void AdvancedHolderVC::cancelActivity() {
    if (ActivityVC* activity = activityVC()) activity->cancelActivity();
}
