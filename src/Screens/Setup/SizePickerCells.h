#pragma once
// The table cells of the size picker: a header with its caption (tag 1), the custom-size and
// percent rows whose first subview holds a content view the picker keeps (and gets back when the
// cell goes), and a saved size with its name (tag 1), detail (tag 2), check box (tag 3) and the
// check mark of the size in use (tag 4).
// Main thread only.

#include <string>

#include "Controls/CheckBox.h"
#include "Core/Records/PresetInfo.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/View.h"
#include "Screens/Setup/SetupControls.h"

// Registers the four cell identifiers in `storyboard` (again: the same factories).
void registerSizePickerCells(appkit::Storyboard& storyboard);

void setHeaderCellCaption(appkit::View& cell, const std::string& caption);
// Pins `content` to the edges of the cell's first subview.
void pinCellContent(appkit::View& cell, QWidget* content);
// Shows the saved preset; the check box shows only when `withCheckBox`, the check mark only when
// the preset is the size in use (`current`). Returns the check box.
controls::CheckBox* fillSavedSizeCell(appkit::View& cell, const core::PresetInfo& preset, bool withCheckBox,
                                      bool ticked, bool current);
