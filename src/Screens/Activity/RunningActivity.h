#pragma once
// RunningActivity: a screen that runs batch jobs, as the tab switcher sees it: before a tab screen
// is replaced, a job running on it is cancelled, so no job goes on unseen. Main thread only.

namespace screens {

class RunningActivity {
  public:
    virtual ~RunningActivity() = default;
    virtual bool isActivityRunning() const = 0;
    virtual void cancelActivity() = 0;
};

}  // namespace screens
