#pragma once
// TabBarVC: the tab switcher of the main window, the content that follows the welcome pages. It
// registers itself with the application delegate when its view loads and remembers the selected
// tab; the tab screens themselves are not part of it yet, so its content area is empty. Main thread
// only.

#include "Platform/AppKit/ViewController.h"

class TabBarVC : public appkit::ViewController {
    Q_OBJECT
  public:
    // 0 the preset list, 1 the Advanced tab, 2 the Rename tab, 3 the Bulk tab.
    int intSegmentSelectedNow = 0;
    virtual void selectTab(int index);

  protected:
    void viewDidLoad() override;
};
