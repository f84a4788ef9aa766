#include "App/Document.h"

#include <QPointer>

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/StopJobQuestion.h"

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

// How many of the gathered files the question that is up already counts as waiting for it.
std::size_t& heldByQuestion() {
    static std::size_t held = 0;
    return held;
}

void waitForAnswer();

// Shows the Advanced tab the way a click on its segment does; a job running on the tab that shows
// may make the user be asked first.
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

// The gathered files are handled as if they had just been opened: the Advanced tab is shown and
// they follow a moment later, unless the user is being asked whether to stop a job.
void handleGathered() {
    if (pending().empty()) return;
    // While the user is asked whether to quit, they wait: after Keep Working they arrive as if just
    // opened; a quit takes them with it.
    if (AppDelegate* delegate = appDelegate(); delegate && delegate->isQuitting()) {
        scheduleFlush();
        return;
    }
    if (!screens::isStopJobQuestionUp()) selectAdvancedTab();
    if (screens::isStopJobQuestionUp()) {
        waitForAnswer();
        return;
    }
    scheduleFlush();
}

// The files wait for the answer of the question that is up. Stopping the job lets them in as if
// opened after it; keeping the job lets them go, as the question says, unless the question was
// about closing an activity: then they go on as if opened after it either way.
void waitForAnswer() {
    std::size_t& held = heldByQuestion();
    if (held == 0) {
        const bool letGoOnKeep = screens::openedFilesOnKeep() == screens::OpenedFilesOnKeep::LetGo;
        screens::joinStopJobQuestion([letGoOnKeep](bool stop) {
            heldByQuestion() = 0;
            if (stop || !letGoOnKeep)
                handleGathered();
            else
                pending().clear();
        });
    }
    if (pending().size() > held) screens::holdOpenedFiles(pending().size() - held);
    held = pending().size();
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
    pending().push_back(path);
    handleGathered();
}

void flushPendingURLs(const std::vector<std::string>& captured) {
    // A flush scheduled before the files changed (more opened, or let go with a question) is stale.
    if (captured != pending()) return;
    AppDelegate* delegate = appDelegate();
    // The welcome pages of a first run still show: the files wait for the tabs.
    if (!delegate || !delegate->tabBarVC) return;
    if (delegate->isQuitting()) {
        handleGathered();
        return;
    }
    // While the user is asked whether to stop a job, they wait for the answer.
    if (screens::isStopJobQuestionUp()) {
        waitForAnswer();
        return;
    }
    pending().clear();
    addPendingURLsToPhotoList(captured);
}

void tabSwitcherDidLoad() {
    if (pending().empty()) return;
    AppDelegate* delegate = appDelegate();
    // The tab switcher shows its first tab once its view has loaded; the Advanced tab follows.
    appkit::postToMain(delegate, [] { handleGathered(); });
}

void addPendingURLsToPhotoList(const std::vector<std::string>& urls) {
    AppDelegate* delegate = appDelegate();
    TabBarVC* tabs = delegate ? delegate->tabBarVC.data() : nullptr;
    // The Advanced tab's own entry, which asks before the files stop a job running there.
    auto* pane = tabs ? dynamic_cast<screens::ImageListHost*>(tabs->advancedMasterVC.data()) : nullptr;
    if (!pane) return;
    pane->addImages(urls);
    // They wait inside the question they raised, if any, which says that keeping the job leaves them out.
    screens::holdOpenedFiles(urls.size());
}

}  // namespace Document
