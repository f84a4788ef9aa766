#pragma once
// RunningActivity: a screen that runs batch jobs, as the tab switcher sees it: before a tab screen
// is replaced, a job running on it is cancelled, so no job goes on unseen. Main thread only.

namespace screens {

class RunningActivity {
  public:
    virtual ~RunningActivity() = default;
    virtual bool isActivityRunning() const = 0;
    // The running job has been told to stop and is winding down: leaving it stops nothing more.
    virtual bool isActivityStopping() const = 0;
    virtual void cancelActivity() = 0;
};

}  // namespace screens
