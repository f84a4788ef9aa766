#include "Extensions/AppKit/MenuHelpers.h"

#include <QCursor>

namespace menu {

namespace {
void allOff(appkit::Menu& menu) {
    for (appkit::MenuItem* item : menu.items()) item->setState(appkit::MenuItem::State::Off);
}
}  // namespace

void popUpContextMenu(appkit::Menu& menu, QWidget* sender) {
    if (!qobject_cast<QAbstractButton*>(sender) || !sender->window() || !sender->isVisible()) return;
    menu.popup(QCursor::pos());
}

void popUpAtMouseLocation(appkit::Menu& menu) {
    menu.popUp(0, QCursor::pos(), nullptr);
}

void checkOnlyItem(appkit::Menu& menu, int index) {
    allOff(menu);
    if (appkit::MenuItem* item = menu.itemAtIndex(index)) item->setState(appkit::MenuItem::State::On);
}

void checkOnlyItemWithTag(appkit::Menu& menu, int tag) {
    allOff(menu);
    if (appkit::MenuItem* item = menu.itemWithTag(tag)) item->setState(appkit::MenuItem::State::On);
}

int checkOnlyItem(appkit::Menu& menu, const appkit::MenuItem* item) {
    const int index = menu.indexOfItem(item);
    checkOnlyItem(menu, index);
    return index;
}

}  // namespace menu
