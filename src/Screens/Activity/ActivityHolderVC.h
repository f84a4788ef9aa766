#pragma once
// ActivityHolderVC: the container of the activity screen. Its first child is the ActivityVC; while
// the user looks at the results of one preset, its second child is that preset's results grid.
// It stands for its job when the tab switcher looks for one still running. Main thread only.

#include <any>

#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/RunningActivity.h"

class ActivityVC;

class ActivityHolderVC : public appkit::ViewController, public screens::RunningActivity {
    Q_OBJECT
  public:
    ActivityHolderVC();

    // The activity screen, once the holder's view is loaded.
    ActivityVC* activityVC() const;
    // Registers the activity screen with the preset list and hands a preset's results to the grid.
    void prepareChildren(const std::any& sender);

    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

    // screens::RunningActivity: the activity screen's job.
    bool isActivityRunning() const override;
    bool isActivityStopping() const override;
    void cancelActivity() override;

  protected:
    void viewDidLoad() override;
};
