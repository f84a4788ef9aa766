#pragma once
// AddPresetContainerForMac: the root of the preset editor sheet. It shows the editor's first page
// and slides the size picker in over it (the picker slides itself back out). Escape or Cancel
// close the sheet without a change. Main thread only.

#include "Platform/AppKit/ViewController.h"

class AddPresetContainerForMac : public appkit::ViewController {
    Q_OBJECT
  public:
    AddPresetContainerForMac();
    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
};
