#pragma once
// Every identifier of the storyboard "Main", spelled exactly as the screens use them: segues,
// scenes (controller identifiers), collection items, table cells, the window controller, the
// toolbar item and the window's frame autosave name. Code names these constants, never literals.

namespace ids {

// Segues.
inline constexpr char Segue_Welocme[] = "Segue_Welocme";
inline constexpr char SlideLeft_Tabbar[] = "SlideLeft_Tabbar";
inline constexpr char SlideRight_PresetList[] = "SlideRight_PresetList";
inline constexpr char SlideLeft_Advanced[] = "SlideLeft_Advanced";
inline constexpr char SlideRight_Advanced[] = "SlideRight_Advanced";
inline constexpr char SlideLeft_Bulk[] = "SlideLeft_Bulk";
inline constexpr char SlideLeft_Quick[] = "SlideLeft_Quick";
inline constexpr char Segue_Advanced[] = "Segue_Advanced";
inline constexpr char Segue_Rename[] = "Segue_Rename";
inline constexpr char Segue_Quick[] = "Segue_Quick";
inline constexpr char Segue_Activity[] = "Segue_Activity";
inline constexpr char Segue_AddNewPreset[] = "Segue_AddNewPreset";
inline constexpr char SlideLeft_SizePicker[] = "SlideLeft_SizePicker";
inline constexpr char SlideLeft_RenameOption[] = "SlideLeft_RenameOption";
inline constexpr char SlideUp_Activity[] = "SlideUp_Activity";
inline constexpr char SID_Done[] = "SID_Done";
inline constexpr char SlideLeft_PresetResults[] = "SlideLeft_PresetResults";

// Scenes: each controller class is registered under its own name.
namespace scene {
inline constexpr char switchVC[] = "switchVC";
inline constexpr char WelcomePageCtrl[] = "WelcomePageCtrl";
inline constexpr char TabBarVC[] = "TabBarVC";
inline constexpr char PresetListForIOS[] = "PresetListForIOS";
inline constexpr char AdvancedMasterVC[] = "AdvancedMasterVC";
inline constexpr char RenameMasterVC[] = "RenameMasterVC";
inline constexpr char BulkMasterVC[] = "BulkMasterVC";
inline constexpr char AdvancedHolderVC[] = "AdvancedHolderVC";
inline constexpr char AdvancedTVC[] = "AdvancedTVC";
inline constexpr char RenameHolderVC[] = "RenameHolderVC";
inline constexpr char RenameOptionTVC[] = "RenameOptionTVC";
inline constexpr char RenameOptionVC[] = "RenameOptionVC";
inline constexpr char BulkResizeHolderVC[] = "BulkResizeHolderVC";
inline constexpr char BulkResizerVC[] = "BulkResizerVC";
inline constexpr char ActivityHolderVC[] = "ActivityHolderVC";
inline constexpr char ActivityVC[] = "ActivityVC";
inline constexpr char AddPresetContainerForMac[] = "AddPresetContainerForMac";
inline constexpr char AddPresetNewVC[] = "AddPresetNewVC";
inline constexpr char PresetDetailsTableVC[] = "PresetDetailsTableVC";
inline constexpr char DefaultPresetsPickerVC[] = "DefaultPresetsPickerVC";
inline constexpr char CollectionDoneorSkippedVC[] = "CollectionDoneorSkippedVC";
inline constexpr char CollectionVC[] = "CollectionVC";
inline constexpr char SizeListforResultVC[] = "SizeListforResultVC";
}  // namespace scene

// Collection-view items.
inline constexpr char presetCell[] = "presetCell";
inline constexpr char imagePreview[] = "imagePreview";
inline constexpr char imagePreview1[] = "imagePreview1";

// Table cells.
inline constexpr char cell[] = "cell";
inline constexpr char cellID[] = "cellID";
inline constexpr char cellIDHeader[] = "cellIDHeader";
inline constexpr char cellIDCustom[] = "cellIDCustom";
inline constexpr char cellIDPercent[] = "cellIDPercent";
inline constexpr char cellIDDefault[] = "cellIDDefault";

// Window controller, toolbar item, frame autosave name.
inline constexpr char DocumentWindowController[] = "Document Window Controller";
inline constexpr char activity[] = "activity";
inline constexpr char position[] = "position";

}  // namespace ids
