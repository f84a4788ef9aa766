// The application delegate's menu commands: retitling, the image-list commands per tab, the presets
// menu, Cancel Activity, Help and About.

#include <QApplication>
#include <QMenuBar>

#include "App/AppDelegate.h"
#include "App/MainMenu.h"
#include "App/PresetsMenu.h"
#include "App/VortaWindowController.h"
#include "Core/Records/SharedLists.h"
#include "Extensions/BundleVersion.h"
#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/Workspace.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/ActivityVC.h"
#include "Screens/Activity/CloseActivityAlert.h"
#include "Screens/Activity/CollectionVC.h"
#include "Screens/Activity/RequestGate.h"
#include "Screens/Activity/StopJobQuestion.h"
#include "Screens/Setup/BulkMasterVC.h"
#include "Screens/Setup/PresetListForIOS.h"

namespace {

constexpr int kAddImagesTag = 1;
constexpr int kBulkTab = 3;
// A preset list that has not come up this long after its tab was shown is not coming.
constexpr double kPresetListGiveUpSeconds = 5.0;
// A preset run holds other requests back until its images are chosen and its job counts as running,
// for this long at most.
constexpr double kPresetRunHoldSeconds = 60.0;

// The first controller of type T at or below `screen`, depth first.
template <class T>
T* findBelow(appkit::ViewController* screen) {
    if (!screen) return nullptr;
    if (auto* found = dynamic_cast<T*>(screen)) return found;
    for (const auto& child : screen->children())
        if (T* found = findBelow<T>(child.get())) return found;
    return nullptr;
}

}  // namespace

void AppDelegate::retitleMenus() {
    if (!mainMenu) return;
    const std::string name = mainmenu::menuAppName(appName().value_or(""));
    for (QAction* top : mainMenu->actions())
        if (auto* menu = qobject_cast<appkit::Menu*>(top->menu())) mainmenu::retitleMenu(*menu, name);
}

void AppDelegate::setMenuOptionActions(int tab) {
    // Called with every tab switch: a busy preset list that has gone no longer holds the presets
    // menu back.
    refreshPresetsMenu();
    for (const QPointer<appkit::MenuItem>& item :
         {menuItem_AddImages, menuItem_RemoveImages, menuItem_SelectAll, menuItem_DeselectAll}) {
        if (!item) continue;
        if (tab == 0) {
            item->clearAction();
        } else {
            item->setAction([this](appkit::MenuItem& sender) { handleMenuOption(sender); });
        }
    }
}

void AppDelegate::handleMenuOption(const appkit::MenuItem& sender) {
    if (!tabBarVC) return;
    appkit::ViewController* pane =
        tabBarVC->advancedMasterVC ? tabBarVC->advancedMasterVC.data() : tabBarVC->renameMasterVC.data();
    // The Bulk tab registers nowhere, but its list takes images from the menu as well.
    if (!pane && sender.tag() == kAddImagesTag && tabBarVC->intSegmentSelectedNow == kBulkTab)
        pane = findBelow<BulkMasterVC>(tabBarVC);
    const QPointer<screens::CollectionVC> list = findBelow<screens::CollectionVC>(pane);
    if (!list) return;
    switch (sender.tag()) {
        case kAddImagesTag:
            // The chosen images go through the tab's own entry, which asks before they stop a job.
            list->browseForImages();
            break;
        case 2:
            list->removeSelectedImages();
            break;
        case 3:
            list->selectAllImages();
            break;
        case 4:
            list->deselectAllImages();
            break;
        default:
            break;
    }
}

void AppDelegate::rebuildPresetsMenu() {
    auto* submenu =
        menuItem_AddImageToPreset ? qobject_cast<appkit::Menu*>(menuItem_AddImageToPreset->menu()) : nullptr;
    if (!submenu) return;
    mainmenu::rebuildPresetsMenu(
        *submenu, core::sharedPresetList().snapshot(),
        [this](int row, const std::string& name) { selectPresetFromMenu(row, name); });
    refreshPresetsMenu();
}

void AppDelegate::refreshPresetsMenu() {
    auto* submenu =
        menuItem_AddImageToPreset ? qobject_cast<appkit::Menu*>(menuItem_AddImageToPreset->menu()) : nullptr;
    if (!submenu) return;
    auto* list = tabBarVC ? qobject_cast<PresetListForIOS*>(tabBarVC->presetListVC.data()) : nullptr;
    const bool busy = list && list->isBusy();
    for (appkit::MenuItem* item : submenu->items()) item->setEnabled(!busy);
}

void AppDelegate::selectPresetFromMenu(int row, const std::string& name) {
    // Chosen while a question or another modal is up, the preset waits for it and is then handled
    // as if chosen then.
    if (screens::requestsMustWait()) {
        screens::whenNoModalIsUp([this, row, name] { selectPresetFromMenu(row, name); }, this,
                                 {screens::WaitingRequest::Kind::PresetFromMenu, {}, name});
        return;
    }
    if (!tabBarVC) return;
    // The preset's run is handled whole: what arrives meanwhile waits until its job runs, or until
    // it came to nothing (no images chosen, the list gone).
    if (tabBarVC->presetListVC) {
        if (runPresetFromMenu) runPresetFromMenu(row, name, screens::holdRequests(kPresetRunHoldSeconds));
        return;
    }
    appkit::Window* window = mainWindow();
    auto* controller = window ? dynamic_cast<VortaWindowController*>(window->windowController()) : nullptr;
    if (!controller || !controller->segBtn) return;
    controller->segBtn->setSelectedSegment(0);
    // Asked once at most: a switch the user refuses runs nothing and asks nothing more. The run
    // waits as long as the question does (what arrives meanwhile waits for the question); its
    // bounded hold on the others begins with the answer.
    tabBarVC->selectTab(
        controller->segBtn->selectedSegment(), [self = QPointer<AppDelegate>(this), row, name](bool shown) {
            if (self && shown)
                self->runPresetOnceListShows(row, name, screens::holdRequests(kPresetRunHoldSeconds));
        });
    // Nothing was up before: a question up now asks to leave a running job for this run, which
    // keeping the job drops.
    if (screens::isStopJobQuestionUp())
        screens::holdForAnswer({screens::WaitingRequest::Kind::PresetFromMenu, {}, name});
}

void AppDelegate::runPresetOnceListShows(int row, const std::string& name, std::shared_ptr<void> hold) {
    if (tabBarVC && tabBarVC->presetListVC) {
        if (runPresetFromMenu) runPresetFromMenu(row, name, hold);
        return;
    }
    // The list registers when its view has loaded: the run goes on then, unless it is given up.
    auto pending = std::make_shared<PendingPresetRun>(PendingPresetRun{row, name, std::move(hold)});
    pendingPresetRun_ = pending;
    appkit::postToMainAfter(this, kPresetListGiveUpSeconds, [this, stale = std::weak_ptr(pending)] {
        if (pendingPresetRun_ && pendingPresetRun_ == stale.lock()) pendingPresetRun_.reset();
    });
}

void AppDelegate::presetListDidRegister() {
    if (!pendingPresetRun_) return;
    const auto pending = std::move(pendingPresetRun_);
    pendingPresetRun_.reset();
    if (runPresetFromMenu && tabBarVC && tabBarVC->presetListVC)
        runPresetFromMenu(pending->row, pending->name, pending->hold);
}

void AppDelegate::enableCancelActivityMenuItem() {
    if (!menuItem_CancelActivity) return;
    menuItem_CancelActivity->setAction([this](appkit::MenuItem&) { cancelActivityFromMenu(); });
}

void AppDelegate::cancelActivityFromMenu() {
    if (!tabBarVC) return;
    ActivityVC* activity = nullptr;
    switch (tabBarVC->intSegmentSelectedNow) {
        case 0:
            if (auto* list = dynamic_cast<PresetListForIOS*>(tabBarVC->presetListVC.data()))
                activity = list->activityVC_Embedded;
            break;
        case 1:
            activity = findBelow<ActivityVC>(tabBarVC->advancedMasterVC);
            break;
        case 2:
            activity = findBelow<ActivityVC>(tabBarVC->renameMasterVC);
            break;
        default:
            // The Bulk tab's job has no Cancel Activity of its own: its screen cancels it.
            return;
    }
    if (activity) confirmCancelActivity(*activity);
}

void AppDelegate::confirmCancelActivity(ActivityVC& activity) {
    if (!tabBarVC || !tabBarVC->isViewLoaded() || !tabBarVC->window()) return;
    confirmCloseActivity(tabBarVC->window(), &activity, this);
}

void AppDelegate::showHelp(int tag) {
    for (const HelpLink& link : helpLinks)
        if (link.tag == tag && tag >= 1 && tag <= 3 && !link.address.empty())
            appkit::Workspace::shared().openURL(link.address);
}

void AppDelegate::showAbout() {
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Informational;
    const std::string name = mainmenu::menuAppName(appName().value_or(""));
    alert.messageText = name;
    alert.informativeText = "Version " + bundle::appVersion().value_or("unknown");
    alert.addButton("OK");
    if (appkit::Window* window = mainWindow()) alert.beginSheetModal(window, {}, this);
}
