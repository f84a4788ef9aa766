#include "App/Document.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/ImageListHost.h"

namespace Document {
namespace {

constexpr int kAdvancedTab = 1;
constexpr double kGatherSeconds = 1.0;

std::vector<std::string>& pending() {
    static std::vector<std::string> urls;
    return urls;
}

QPointer<VortaWindowController>& attached() {
    static QPointer<VortaWindowController> controller;
    return controller;
}

VortaWindowController* mainWindowController() {
    return attached().data();
}

void scheduleFlush() {
    AppDelegate* delegate = appDelegate();
    if (!delegate) return;
    appkit::postToMainAfter(delegate, kGatherSeconds, [captured = pending()] { flushPendingURLs(captured); });
}

// Shows the Advanced tab the way a click on its segment does. While a job runs on the tab showing,
// the user is asked first; the gathered files follow a switch made and are let go with one refused.
void selectAdvancedTab() {
    VortaWindowController* controller = mainWindowController();
    if (!controller || !controller->segBtn) return;
    AppDelegate* delegate = appDelegate();
    if (controller->segBtn->selectedSegment() == kAdvancedTab && delegate && delegate->tabBarVC &&
        delegate->tabBarVC->intSegmentSelectedNow == kAdvancedTab)
        return;
    // A question already up decides for every file gathered meanwhile as well.
    if (delegate && delegate->tabBarVC && delegate->tabBarVC->isAskingToLeave()) return;
    controller->segBtn->setSelectedSegment(kAdvancedTab);
    if (!delegate || !delegate->tabBarVC) return;
    delegate->tabBarVC->selectTab(controller->segBtn->selectedSegment(), [](bool shown) {
        if (shown)
            scheduleFlush();
        else
            pending().clear();
    });
}

}  // namespace

void attachWindowController(VortaWindowController* controller) {
    // Files gathered for an earlier window are not handed to this one.
    if (attached() != controller) pending().clear();
    attached() = controller;
}

const std::vector<std::string>& pendingURLs() {
    return pending();
}

void openURL(const std::string& path) {
    if (!mainWindowController()) return;
    selectAdvancedTab();
    pending().push_back(path);
    scheduleFlush();
}

void flushPendingURLs(const std::vector<std::string>& captured) {
    if (captured.size() != pending().size()) return;
    AppDelegate* delegate = appDelegate();
    // The welcome pages of a first run still show: the files wait for the tabs. While the user is
    // asked whether to leave a running job for the Advanced tab, they wait for the answer.
    if (!delegate || !delegate->tabBarVC || delegate->tabBarVC->isAskingToLeave()) return;
    addPendingURLsToPhotoList(captured);
    pending().clear();
}

void tabSwitcherDidLoad() {
    if (pending().empty()) return;
    AppDelegate* delegate = appDelegate();
    // The tab switcher shows its first tab once its view has loaded; the Advanced tab follows.
    appkit::postToMain(delegate, [] {
        if (pending().empty()) return;
        selectAdvancedTab();
        scheduleFlush();
    });
}

void addPendingURLsToPhotoList(const std::vector<std::string>& urls) {
    AppDelegate* delegate = appDelegate();
    TabBarVC* tabs = delegate ? delegate->tabBarVC.data() : nullptr;
    // The Advanced tab's own entry, which asks before the files stop a job running there.
    auto* pane = tabs ? dynamic_cast<screens::ImageListHost*>(tabs->advancedMasterVC.data()) : nullptr;
    if (pane) pane->addImages(urls);
}

}  // namespace Document
