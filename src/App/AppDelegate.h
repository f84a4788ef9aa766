#pragma once
// AppDelegate: the one object that lives for the whole process. It registers and resets the
// settings and loads the user's presets when made, answers the launch and termination steps, turns
// every resize of the main window into the notification "onWindowResized", and opens the job's
// folder when the user clicks "Show" on the end-of-job notification: the one named in the
// notification's user info under "UDTargetFolder", else the one in the settings. Main thread only.

#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "App/AdvanceVCIPad.h"
#include "App/TabBarVC.h"
#include "App/ViewController.h"
#include "Core/Records/SourceURLInfo.h"
#include "Extensions/AppGlobals.h"
#include "Platform/AppKit/CollectionView.h"
#include "Platform/AppKit/Menu.h"
#include "Platform/AppKit/Popover.h"
#include "Platform/AppKit/TableView.h"
#include "Platform/AppKit/Window.h"
#include "Platform/QuickLook/PreviewPanel.h"
#include "Platform/UserNotifications/UserNotificationCenter.h"

class ActivityVC;
class QMenuBar;

class AppDelegate : public QObject,
                    public usernotifications::UserNotificationCenterDelegate,
                    public quicklook::PreviewPanelDataSource,
                    public quicklook::PreviewPanelDelegate,
                    public quicklook::PreviewPanelController {
    Q_OBJECT
  public:
    // Registers itself as the global appDelegate, sets up the settings and loads the presets.
    explicit AppDelegate(foundation::UserDefaults& defaults = userDefaults());
    ~AppDelegate() override;

    // The settings the application runs on.
    foundation::UserDefaults& defaults() const { return defaults_; }

    QPointer<TabBarVC> tabBarVC;
    std::vector<int> arrQLPos;
    QPointer<appkit::CollectionView> collectionView;
    QPointer<appkit::TableView> tableView;
    std::vector<core::SourceURLInfo> arrImgList;
    // The preview items by image index, while the preview panel has items.
    std::optional<std::map<int, std::string>> dictPreviewItems;
    QPointer<appkit::MenuItem> menuItem_SelectAll_Browse;
    QPointer<appkit::MenuItem> menuItem_AddImages;
    QPointer<appkit::MenuItem> menuItem_RemoveImages;
    QPointer<appkit::MenuItem> menuItem_SelectAll;
    QPointer<appkit::MenuItem> menuItem_DeselectAll;
    QPointer<appkit::MenuItem> menuItem_AddImageToPreset;
    QPointer<appkit::MenuItem> menuItem_CancelActivity;
    QPointer<AdvanceVCIPad> advanceVCIPad;
    // Runs the preset of a presets-menu item; set by the screen that shows the preset list. `hold`
    // keeps other requests waiting until the run's job counts as running or the run came to nothing.
    std::function<void(int row, const std::string& name, std::shared_ptr<void> hold)> runPresetFromMenu;
    // The screen that shows the preset list has registered with the tab switcher.
    void presetListDidRegister();
    QPointer<ViewController> vc;

    // Launch and termination, in the order the application calls them.
    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    void applicationWillTerminate();

    // Quitting: the Quit command, closing the main window and SIGTERM or SIGINT all come here.
    // With no job running the application quits at once. While one runs, the user is asked "A job
    // is running. Stop it and quit?" (a signal decides without asking, and a job the user has
    // already stopped is not asked about again): Stop and Quit cancels every
    // job and waits, the event loop turning, until each has finished the file it was writing, then
    // quits; Keep Working forgets the request and the job goes on. The wait lasts `quitWaitBound` at
    // most, and a second request (a Quit, a close, a signal) while it waits ends it at once: the
    // application quits, and the process ends with the jobs' temporary files removed.
    enum class QuitAsking { AskUser, StopWithoutAsking };
    void terminate(QuitAsking asking = QuitAsking::AskUser);
    // Whether the user is being asked to quit, or the application is stopping its jobs to quit.
    bool isQuitting() const { return askingToQuit_ || stoppingToQuit_; }
    // Whether the application is on its way out (the quit was decided): it takes no more work, and
    // files handed over by a second start go to that start instead.
    bool isEnding() const { return ending_; }
    std::chrono::milliseconds quitWaitBound{std::chrono::seconds(30)};
    // How long the background work may take to end once the application has quit: none once the
    // wait was given up on; with a job still running, what is left of that wait (all of it for a job
    // the quit did not wait for); with none, a short grace for work that writes nothing (a folder's
    // collection, a thumbnail).
    std::chrono::milliseconds timeLeftForBackgroundWork() const;
    // Once the event loop has ended, however it ended: stops all background work and keeps the
    // events turning (the window stays drawn, a stopped job's hand-over stores its totals, a second
    // request is read) while a job finishes its file, within what is left of `quitWaitBound`, and then
    // while the rest ends, within the grace. A second request (a Quit, the window's close, a signal)
    // ends the wait at once. Then saves the presets and settings, and returns how long the rest may
    // still take: what is left of the grace, none once the wait is over with a job still running.
    std::chrono::milliseconds waitForBackgroundWorkAfterLoop();
    // Ends the event loop, later; tests record the call instead.
    std::function<void()> quitApplication;
    // Brings the main window back; the application does nothing further of its own.
    bool applicationShouldHandleReopen(bool hasVisibleWindows);
    void openMainWindow();

    // The preview panel over the selection of the image list in arrImgList: the whole list from the
    // selected image when one is selected, else the selected images.
    void toggleQuickLookPreview();
    // The file of the image at `index` of arrImgList; the empty path when it has none.
    std::string buildPreviewItems(int index) const;
    int numberOfPreviewItems(quicklook::PreviewPanel& panel) override;
    std::optional<std::string> previewItemAt(quicklook::PreviewPanel& panel, int index) override;
    cg::Rect sourceFrameOnScreen(quicklook::PreviewPanel& panel, int index) override;
    void beginPreviewPanelControl(quicklook::PreviewPanel& panel) override;
    void endPreviewPanelControl(quicklook::PreviewPanel& panel) override;

    // Rebuilds the submenu of menuItem_AddImageToPreset from the shared preset list.
    void rebuildPresetsMenu();
    // The presets menu's items are disabled while the preset list is busy with a job, which no
    // other preset can join; enabled otherwise.
    void refreshPresetsMenu();

    // Shows `message` in `popover` beside `anchor` (light or dark); the delegate keeps the popover
    // until the next message.
    void showMessagePopover(const std::string& message, QWidget* anchor, appkit::RectEdge preferredEdge,
                            std::shared_ptr<appkit::Popover> popover, bool dark);

    // The menu bar: its titles get the application's name; the image-list commands work only on
    // the tabs with an image list (any tab but 0).
    QPointer<QMenuBar> mainMenu;
    void retitleMenus();
    void setMenuOptionActions(int tab);
    // Tags 1-4: add images, remove the selected ones, select all, deselect all, on the image list
    // of the Advanced or Rename tab; adding images works on the Bulk tab's list as well.
    void handleMenuOption(const appkit::MenuItem& sender);
    // Runs the preset of a presets-menu item; from another tab it first switches to the preset
    // list (asking first while a job runs there) and, once switched, runs the preset as soon as the
    // list has registered (within 5 s, or not at all).
    void selectPresetFromMenu(int row, const std::string& name);
    // Cancel Activity: finds the running activity of the current tab and asks before cancelling it.
    void enableCancelActivityMenuItem();
    void cancelActivityFromMenu();
    void confirmCancelActivity(ActivityVC& activity);

    // The web pages the Help menu opens, by tag: 3 the maker's site, 2 the product page, 1 the
    // store page. Empty until the maker supplies its addresses; then the Help menu is left out.
    struct HelpLink {
        int tag = 0;
        std::string title;
        std::string address;
    };
    std::vector<HelpLink> helpLinks;
    void showHelp(int tag);
    void showAbout();

    // Announces the window's resizes as "onWindowResized" (once per window, however often asked).
    void observeWindow(appkit::Window* window);
    void windowDidResize();
    void windowWillStartLiveResize();

    bool shouldPresentNotification(usernotifications::UserNotificationCenter&,
                                   const usernotifications::UserNotification&) override;
    void didActivateNotification(usernotifications::UserNotificationCenter&,
                                 const usernotifications::UserNotification& notification) override;

  private:
    // The window of the tab switcher's view, or nullptr.
    appkit::Window* mainWindow() const;
    // The image index of the first selected image of the previewed list view, 0 without one.
    int firstSelectedImage() const;
    // `hold` keeps other requests waiting until the preset runs or is given up.
    void runPresetOnceListShows(int row, const std::string& name, std::shared_ptr<void> hold);
    // Ends the event loop once quitting is decided.
    void endApplication();
    void stopJobsAndQuit();
    void quitOnceJobsHaveStopped();
    // Whether the quit's wait has run out or was cut short by a second request.
    bool quitWaitIsOver() const;

    foundation::UserDefaults& defaults_;
    std::shared_ptr<appkit::Popover> messagePopover_;
    bool askingToQuit_ = false;
    bool stoppingToQuit_ = false;
    bool ending_ = false;
    std::optional<std::chrono::steady_clock::time_point> quitDeadline_;
    bool quitGivenUp_ = false;
    std::shared_ptr<void> quitHold_;
    // A presets-menu run waiting for the preset list to register.
    struct PendingPresetRun {
        int row = 0;
        std::string name;
        std::shared_ptr<void> hold;
    };
    std::shared_ptr<PendingPresetRun> pendingPresetRun_;
};

// The name of the notification posted on every resize of the main window.
inline constexpr char onWindowResized[] = "onWindowResized";

// The settings of the running application delegate (the standard settings before there is one).
foundation::UserDefaults& appSettings();

// Shows the window, raises it and gives it the keyboard focus.
void makeKeyAndOrderFront(appkit::Window& window);
