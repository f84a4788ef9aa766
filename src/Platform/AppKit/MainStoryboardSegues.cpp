// The segue table of the storyboard "Main": which scene each segue of a scene brings in, and with
// which segue class. Containers that stay on one child use the child class; the holders that slide
// a second screen over their first (and later slide back to it) use the sub class.

#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"

namespace appkit {

void addMainStoryboardSegues(Storyboard& s) {
    using K = SegueKind;
    namespace sc = ids::scene;
    const SegueRow rows[] = {
        {sc::switchVC, ids::Segue_Welocme, sc::WelcomePageCtrl, K::Child},
        {sc::switchVC, ids::SlideLeft_Tabbar, sc::TabBarVC, K::Child},
        {sc::TabBarVC, ids::SlideRight_PresetList, sc::PresetListForIOS, K::Child},
        {sc::TabBarVC, ids::SlideLeft_Advanced, sc::AdvancedMasterVC, K::Child},
        {sc::TabBarVC, ids::SlideRight_Advanced, sc::AdvancedMasterVC, K::Child},
        {sc::TabBarVC, ids::SlideLeft_Bulk, sc::RenameMasterVC, K::Child},
        {sc::TabBarVC, ids::SlideLeft_Quick, sc::BulkMasterVC, K::Child},
        {sc::AdvancedHolderVC, ids::Segue_Advanced, sc::AdvancedTVC, K::Child},
        {sc::RenameHolderVC, ids::Segue_Rename, sc::RenameOptionTVC, K::Child},
        {sc::BulkResizeHolderVC, ids::Segue_Quick, sc::BulkResizerVC, K::Child},
        {sc::ActivityHolderVC, ids::Segue_Activity, sc::ActivityVC, K::Child},
        {sc::AddPresetContainerForMac, ids::Segue_AddNewPreset, sc::AddPresetNewVC, K::Child},
        {sc::AdvancedHolderVC, ids::SlideUp_Activity, sc::ActivityHolderVC, K::Sub},
        {sc::RenameHolderVC, ids::SlideUp_Activity, sc::ActivityHolderVC, K::Sub},
        {sc::BulkResizeHolderVC, ids::SlideUp_Activity, sc::ActivityHolderVC, K::Sub},
        {sc::AddPresetContainerForMac, ids::SlideLeft_SizePicker, sc::DefaultPresetsPickerVC, K::Sub},
        {sc::AdvancedHolderVC, ids::SlideLeft_SizePicker, sc::DefaultPresetsPickerVC, K::Sub},
        {sc::AdvancedHolderVC, ids::SlideLeft_RenameOption, sc::RenameOptionTVC, K::Sub},
        {sc::ActivityHolderVC, ids::SlideLeft_PresetResults, sc::CollectionDoneorSkippedVC, K::Sub},
        {sc::ActivityVC, ids::SID_Done, sc::CollectionDoneorSkippedVC, K::Embed},
    };
    for (const auto& row : rows) s.addSegue(row);
}

}  // namespace appkit
