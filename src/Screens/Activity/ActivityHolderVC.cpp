#include "Screens/Activity/ActivityHolderVC.h"

#include <QLabel>

#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/Storyboard.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ActivityHostScreen.h"
#include "Screens/Activity/ActivityScenes.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CollectionDoneorSkippedVC.h"
#include "Screens/Activity/PresetResults.h"

ActivityHolderVC::ActivityHolderVC() {
    setIdentifier(ids::scene::ActivityHolderVC);
    registerActivityScenes(appkit::Storyboard::main());
}

ActivityVC* ActivityHolderVC::activityVC() const {
    return children().empty() ? nullptr : dynamic_cast<ActivityVC*>(children().front().get());
}

bool ActivityHolderVC::isActivityRunning() const {
    const ActivityVC* activity = activityVC();
    return activity && activity->isActivityRunning();
}

bool ActivityHolderVC::isActivityStopping() const {
    const ActivityVC* activity = activityVC();
    return activity && activity->isActivityRunning() && activity->isGotCancel();
}

void ActivityHolderVC::cancelActivity() {
    if (ActivityVC* activity = activityVC()) activity->cancelActivity();
}

void ActivityHolderVC::viewDidLoad() {
    performSegue(ids::Segue_Activity);
}

void ActivityHolderVC::prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) {
    ViewController::prepareForSegue(segue, sender);
    // The segue adds its destination after this returns; the children are ready a moment later.
    appkit::postToMainAfter(this, 0.2, [this, sender] { prepareChildren(sender); });
}

void ActivityHolderVC::prepareChildren(const std::any& sender) {
    if (auto* activity = activityVC()) {
        if (auto* screen = dynamic_cast<ActivityHostScreen*>(parent()))
            screen->setEmbeddedActivityVC(activity);
    }
    if (children().size() != 2) return;
    auto* grid = dynamic_cast<CollectionDoneorSkippedVC*>(children()[1].get());
    const auto* results = std::any_cast<PresetResults>(&sender);
    if (!grid || !results) return;
    grid->arrImages = results->items;
    grid->reloadContent();
    if (grid->lblTitle) grid->lblTitle->setText(QString::fromStdString(results->title));
}
