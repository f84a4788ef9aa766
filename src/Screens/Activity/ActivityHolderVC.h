#pragma once
// ActivityHolderVC: the container of the activity screen. Its first child is the ActivityVC; while
// the user looks at the results of one preset, its second child is that preset's results grid.
// Main thread only.

#include <any>

#include "Platform/AppKit/ViewController.h"

class ActivityVC;

class ActivityHolderVC : public appkit::ViewController {
    Q_OBJECT
  public:
    ActivityHolderVC();

    // The activity screen, once the holder's view is loaded.
    ActivityVC* activityVC() const;
    // Registers the activity screen with the preset list and hands a preset's results to the grid.
    void prepareChildren(const std::any& sender);

    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

  protected:
    void viewDidLoad() override;
};
