#include "Screens/Setup/OptionsHolderVC.h"

#include "Core/Job/JobParameters.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Screens/Activity/ActivityHolderVC.h"
#include "Screens/Activity/ActivityVC.h"

ActivityVC* OptionsHolderVC::activityVC() const {
    if (children().size() < 2) return nullptr;
    auto* container = dynamic_cast<ActivityHolderVC*>(children()[1].get());
    return container ? container->activityVC() : nullptr;
}

appkit::ViewController* OptionsHolderVC::optionPane() const {
    return children().empty() ? nullptr : children().front().get();
}

void OptionsHolderVC::viewDidLoad() {
    performSegue(embedSegue_);
}

RenameHolderVC::RenameHolderVC() : OptionsHolderVC(ids::Segue_Rename) {}

BulkResizeHolderVC::BulkResizeHolderVC() : OptionsHolderVC(ids::Segue_Quick) {}

void startJobOnImageList(ActivityVC& activity, const core::PresetInfo& preset) {
    startJobOnImages(activity, preset, core::sharedImageList().snapshot());
}

void startJobOnImages(ActivityVC& activity, const core::PresetInfo& preset,
                      const std::vector<core::SourceURLInfo>& images) {
    // Without images the job that was expected still starts, and ends at once saying there were none.
    core::JobParameters params;
    params.presets = {preset};
    params.images.assign(images.begin(), images.end());
    activity.startJob(std::move(params));
}
