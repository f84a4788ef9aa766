#include "Screens/Setup/JobStart.h"

#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace setup {
namespace {

bool awaitsStart(const ActivityVC* activity) {
    return activity && activity->isActivityRunning() && !activity->isGotCancel();
}

// `start` belongs to `owner`: it runs only while both the owner and the screen are there, however
// long a question holds it.
void startWhenDue(const QPointer<const QObject>& owner, const QPointer<ActivityVC>& activity,
                  const std::function<void(ActivityVC&)>& start) {
    // Stopped before it began (its screen closed, its tab left): nothing starts.
    if (!owner || !awaitsStart(activity)) return;
    // The user is being asked whether to stop it: the answer decides.
    if (screens::joinStopJobQuestion([owner, activity, start](bool) { startWhenDue(owner, activity, start); },
                                     activity))
        return;
    start(*activity);
}

}  // namespace

bool JobStart::isBusy() const {
    return awaitsStart(activity_);
}

void JobStart::begin(appkit::ViewController& container, const QObject* owner,
                     std::function<void(ActivityVC&)> start) {
    if (isBusy()) return;
    container.performSegue(ids::SlideUp_Activity);
    const auto& children = container.children();
    auto* holder = children.size() > 1 ? dynamic_cast<ActivityHolderVC*>(children[1].get()) : nullptr;
    activity_ = holder ? holder->activityVC() : nullptr;
    if (!activity_) return;
    // The job runs from this activation on: whatever would stop it asks first, also before it starts.
    activity_->expectJob();
    appkit::postToMainAfter(
        owner, 0.5, [guard = QPointer<const QObject>(owner), activity = activity_, start = std::move(start)] {
            startWhenDue(guard, activity, start);
        });
}

}  // namespace setup
