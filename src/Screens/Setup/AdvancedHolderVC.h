#pragma once
// AdvancedHolderVC: the right-hand container of the Advanced tab. Its first child is the options
// pane; a second child slides in over it: the size picker, the rename options or the activity
// screen, and slides back out when done. A job running here is cancelled before the tab goes.
// Main thread only.

#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ActivityHostScreen.h"
#include "Screens/Activity/RunningActivity.h"

class ActivityVC;
class AdvancedTVC;

class AdvancedHolderVC : public appkit::ViewController,
                         public ActivityHostScreen,
                         public screens::RunningActivity {
    Q_OBJECT
  public:
    AdvancedHolderVC();

    AdvancedTVC* optionsPane() const;
    // The activity screen while it is the second child.
    ActivityVC* activityVC() const;

    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

    // ActivityHostScreen
    Kind activityHostKind() const override { return Kind::TabHolder; }
    // RunningActivity
    bool isActivityRunning() const override;
    bool isActivityStopping() const override;
    void cancelActivity() override;

  protected:
    void loadView() override;
    void viewDidLoad() override;
};
