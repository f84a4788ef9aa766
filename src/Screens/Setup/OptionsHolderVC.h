#pragma once
// OptionsHolderVC: the right-hand container of the Rename and Bulk tabs. Its first child is the
// tab's option pane, embedded as soon as the container loads; once a job starts, the activity
// container slides up as its second child, and slides away again when the user returns from it.
// Main thread only.

#include <string>

#include "Core/Records/PresetInfo.h"
#include "Core/Records/SourceURLInfo.h"
#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ActivityHostScreen.h"

class ActivityVC;

class OptionsHolderVC : public appkit::ViewController, public ActivityHostScreen {
    Q_OBJECT
  public:
    Kind activityHostKind() const override { return Kind::TabHolder; }
    // The activity screen of the activity container (child 1's child 0), while it is there.
    ActivityVC* activityVC() const;
    // The option pane (child 0).
    appkit::ViewController* optionPane() const;

  protected:
    explicit OptionsHolderVC(std::string embedSegue) : embedSegue_(std::move(embedSegue)) {}
    void viewDidLoad() override;

  private:
    std::string embedSegue_;
};

// Runs `preset` over every image of the list on `activity`; nothing with an empty list.
void startJobOnImageList(ActivityVC& activity, const core::PresetInfo& preset);
// Runs `preset` over `images` on `activity`; without images the job ends at once, saying so.
void startJobOnImages(ActivityVC& activity, const core::PresetInfo& preset,
                      const std::vector<core::SourceURLInfo>& images);

// RenameHolderVC: the Rename tab's container; its option pane is the RenameOptionTVC.
class RenameHolderVC : public OptionsHolderVC {
    Q_OBJECT
  public:
    RenameHolderVC();
};

// BulkResizeHolderVC: the Bulk tab's container; its option pane is the BulkResizerVC.
class BulkResizeHolderVC : public OptionsHolderVC {
    Q_OBJECT
  public:
    BulkResizeHolderVC();
};
