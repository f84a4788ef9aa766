#include "App/Document.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/CollectionVC.h"
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

// Shows the Advanced tab the way a click on its segment does.
void selectAdvancedTab() {
    VortaWindowController* controller = mainWindowController();
    if (!controller || !controller->segBtn) return;
    AppDelegate* delegate = appDelegate();
    if (controller->segBtn->selectedSegment() == kAdvancedTab && delegate && delegate->tabBarVC &&
        delegate->tabBarVC->intSegmentSelectedNow == kAdvancedTab)
        return;
    controller->segBtn->setSelectedSegment(kAdvancedTab);
    if (delegate && delegate->tabBarVC) delegate->tabBarVC->selectTab(controller->segBtn->selectedSegment());
}

void scheduleFlush() {
    AppDelegate* delegate = appDelegate();
    if (!delegate) return;
    appkit::postToMainAfter(delegate, kGatherSeconds, [captured = pending()] { flushPendingURLs(captured); });
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
    // The welcome pages of a first run still show: the files wait for the tabs.
    if (!delegate || !delegate->tabBarVC) return;
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
    auto* pane = tabs ? dynamic_cast<screens::ImageListHost*>(tabs->advancedMasterVC.data()) : nullptr;
    if (!pane || !pane->collectionVCEmbeded) return;
    pane->collectionVCEmbeded->addImages(urls);
}

}  // namespace Document
