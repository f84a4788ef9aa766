#pragma once
// TabBarVC: the tab switcher of the main window, the content that follows the welcome pages. It
// shows one of four tab screens (preset list, Advanced, Rename, Bulk) through a sliding segue,
// remembers which tab shows, keeps the registrations of the tab screens others reach, and resets the
// per-tab state (image list, rename options, preview list) whenever a tab screen is replaced; a job
// running on the tab being left is cancelled first. It owns the one open panel through which images
// are added, and is the shell the image lists of its tabs find above them. Main thread only.

#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "Platform/AppKit/ViewController.h"
#include "Screens/Activity/ImageListShell.h"

class TabBarVC : public appkit::ViewController, public screens::ImageListShell {
    Q_OBJECT
  public:
    // The tab screens register themselves here when their views load.
    QPointer<appkit::ViewController> presetListVC;
    QPointer<appkit::ViewController> advancedMasterVC;
    QPointer<appkit::ViewController> renameMasterVC;
    // 0 the preset list, 1 the Advanced tab, 2 the Rename tab, 3 the Bulk tab.
    int intSegmentSelectedNow = 0;

    virtual void resetTabState();
    // Shows the tab of that index (any other index shows the preset list). A tab whose screen the
    // storyboard cannot make keeps the current tab. While a job runs on the tab that shows, the user
    // is asked first: stopping it switches, keeping it stays. The window's tab segment always ends
    // on the tab that shows.
    virtual void selectTab(int index);
    // The same; `done` learns, once it is decided, whether the tab of `index` shows (also when it
    // showed already). A request made while the user is being asked whether to stop a job is
    // refused.
    void selectTab(int index, std::function<void(bool shown)> done);
    // The open panel as a sheet on this controller's window: files with the image extensions and
    // folders, several at once; `completion` gets the chosen paths (folders ending in "/") on OK.
    void browseForImages(std::function<void(const std::vector<std::string>&)> completion) override;

    int selectedTab() const override { return intSegmentSelectedNow; }
    void setPreviewItems(std::vector<core::SourceURLInfo> images, appkit::CollectionView* grid,
                         appkit::TableView* table) override;
    void toggleQuickLookPreview() override;

    // The segue that shows the tab `index` when `current` shows.
    static std::string segueForTab(int index, int current);
    // The extensions the open panel offers, in order.
    static const std::vector<std::string>& allowedImageTypes();

    void prepareForSegue(appkit::StoryboardSegue& segue, const std::any& sender) override;

  protected:
    void viewDidLoad() override;

  private:
    bool canShow(const std::string& segue) const;
    void switchToTab(int index);
    bool hasRunningActivity() const;
    void cancelRunningActivities(appkit::ViewController& screen);
    void showSelectedSegment();
};
