#include "App/TabBarVC.h"

#include "App/AppDelegate.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"

void TabBarVC::selectTab(int index) {
    intSegmentSelectedNow = index >= 0 && index <= 3 ? index : 0;
}

void TabBarVC::viewDidLoad() {
    if (AppDelegate* delegate = appDelegate()) delegate->tabBarVC = this;
    // The first tab, the preset list, fills the content area.
    embedSegue(ids::SlideRight_PresetList, view());
}
