#pragma once
// Helpers on menus: popping up for a button or at the mouse, and checking exactly one item.
// Main thread only.

#include <QAbstractButton>

#include "Platform/AppKit/Menu.h"

namespace menu {

// Pops the menu up at the mouse, for a button that is in a window; nothing otherwise.
void popUpContextMenu(appkit::Menu& menu, QWidget* sender);
// Pops the menu up with its first item at the mouse.
void popUpAtMouseLocation(appkit::Menu& menu);
// Turns every item off, then the one at `index` (when there is one) on.
void checkOnlyItem(appkit::Menu& menu, int index);
void checkOnlyItemWithTag(appkit::Menu& menu, int tag);
// Checks only `item` and returns its index (-1 when it is not in the menu, and then all are off).
int checkOnlyItem(appkit::Menu& menu, const appkit::MenuItem* item);

}  // namespace menu
