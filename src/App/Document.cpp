#include "App/Document.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageTally.h"
#include "Screens/Activity/RequestGate.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace Document {
namespace {

constexpr int kAdvancedTab = 1;
constexpr double kGatherSeconds = 1.0;

std::vector<std::string>& pending() {
    static std::vector<std::string> urls;
    return urls;
}

// The images the gathered files bring, as a question counts them.
screens::ImageTally& pendingImages() {
    static screens::ImageTally tally;
    return tally;
}

screens::WaitingRequest openedImages(std::function<std::optional<std::size_t>()> count) {
    return {screens::WaitingRequest::Kind::OpenedFiles, std::move(count), {}};
}

// While the gathered files wait for their second to pass, a question asked meanwhile names them.
std::shared_ptr<void>& gatheredOnTheirWay() {
    static std::shared_ptr<void> token;
    return token;
}

// The gathered files over the process's life: how many arrived, how many left the list.
struct Counts {
    std::uint64_t opened = 0;
    std::uint64_t settled = 0;
};

Counts& counts() {
    static Counts c;
    return c;
}

// The gathered files leave the list: handed over or let go.
void settlePending() {
    counts().settled += pending().size();
    pending().clear();
    pendingImages() = {};
    gatheredOnTheirWay().reset();
}

QPointer<VortaWindowController>& attached() {
    static QPointer<VortaWindowController> controller;
    return controller;
}

VortaWindowController* mainWindowController() {
    return attached().data();
}

// The Advanced tab's own entry, which asks before the files stop a job running there; nullptr
// while another tab shows.
screens::ImageListHost* advancedPane() {
    AppDelegate* delegate = appDelegate();
    TabBarVC* tabs = delegate ? delegate->tabBarVC.data() : nullptr;
    return tabs ? dynamic_cast<screens::ImageListHost*>(tabs->advancedMasterVC.data()) : nullptr;
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

// Whether the gathered files wait in the line of requests for a question or modal to go.
bool& waitingForModal() {
    static bool waiting = false;
    return waiting;
}

void handleGathered();
void waitForAnswer();

// Hands the files to the Advanced tab's entry for images; `images`, when counted already, counts
// them for the question they may raise.
void addToPhotoList(const std::vector<std::string>& urls, std::optional<screens::ImageTally> images) {
    auto* pane = advancedPane();
    if (!pane) return;
    pane->addImages(urls);
    // Nothing was up before: a question up now was raised by them, and says that keeping the job
    // leaves them out.
    if (!screens::isStopJobQuestionUp()) return;
    if (!images) images = screens::ImageTally(urls);
    screens::holdForAnswer(openedImages([images = *images] { return images.count(); }));
}

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

// While another question or modal is up (the quit question, a tab switch asked for, a folder
// chooser) the files wait for it, and are then handled as if they had just been opened.
bool waitedForModal() {
    if (waitingForModal()) return true;
    if (!screens::requestsMustWait() || screens::questionHoldsOpenedFiles()) return false;
    AppDelegate* delegate = appDelegate();
    if (!delegate) return true;
    waitingForModal() = true;
    gatheredOnTheirWay().reset();
    screens::whenNoModalIsUp(
        [] {
            waitingForModal() = false;
            handleGathered();
        },
        delegate, openedImages([] { return pendingImages().count(); }));
    return true;
}

// The gathered files are handled as if they had just been opened: the Advanced tab is shown and
// they follow a moment later, unless the user is being asked whether to stop a job for them.
void handleGathered() {
    if (pending().empty()) return;
    if (waitedForModal()) {
        screens::refreshStopJobQuestionText();
        return;
    }
    if (!screens::isStopJobQuestionUp()) selectAdvancedTab();
    if (screens::isStopJobQuestionUp()) {
        waitForAnswer();
        return;
    }
    if (!gatheredOnTheirWay())
        gatheredOnTheirWay() = screens::expectRequest(openedImages([] { return pendingImages().count(); }));
    scheduleFlush();
}

// The files wait for the answer of the question they raised (leaving a running job's tab, or adding
// to the list it works on). Stopping the job lets them in as if opened after it; keeping the job
// lets them go, as the question says.
void waitForAnswer() {
    std::size_t& held = heldByQuestion();
    gatheredOnTheirWay().reset();
    if (held == 0) {
        screens::joinStopJobQuestion([](bool stop) {
            heldByQuestion() = 0;
            if (stop)
                handleGathered();
            else
                settlePending();
        });
        // Counted as the question is written: files opened later join the count.
        screens::holdForAnswer(openedImages([] { return pendingImages().count(); }));
    } else {
        screens::refreshStopJobQuestionText();
    }
    held = pending().size();
}

}  // namespace

void attachWindowController(VortaWindowController* controller) {
    // Files gathered for an earlier window are not handed to this one.
    if (attached() != controller) {
        settlePending();
        waitingForModal() = false;
        heldByQuestion() = 0;
    }
    attached() = controller;
}

const std::vector<std::string>& pendingURLs() {
    return pending();
}

std::uint64_t openedCount() {
    return counts().opened;
}

std::uint64_t settledCount() {
    return counts().settled;
}

void openURL(const std::string& path) {
    openURLs({path});
}

void openURLs(const std::vector<std::string>& paths) {
    if (!mainWindowController() || paths.empty()) return;
    pending().insert(pending().end(), paths.begin(), paths.end());
    counts().opened += paths.size();
    // One count for the lot: each count looks at the whole list.
    pendingImages().add(paths);
    handleGathered();
}

void flushPendingURLs(const std::vector<std::string>& captured) {
    // A flush scheduled before the files changed (more opened, or let go with a question) is stale.
    if (captured != pending()) return;
    AppDelegate* delegate = appDelegate();
    // The welcome pages of a first run still show: the files wait for the tabs.
    if (!delegate || !delegate->tabBarVC) return;
    // While a question or another modal is up, they wait for it; a question about them takes them.
    if (waitingForModal() || screens::requestsMustWait()) {
        handleGathered();
        return;
    }
    // The Advanced tab may have been left since they were gathered (a click on another tab, a preset
    // run from the menu): they go the whole way again rather than to a list that is not there.
    if (!advancedPane()) {
        handleGathered();
        return;
    }
    const screens::ImageTally images = pendingImages();
    settlePending();
    addToPhotoList(captured, images);
}

void tabSwitcherDidLoad() {
    if (pending().empty()) return;
    AppDelegate* delegate = appDelegate();
    // The tab switcher shows its first tab once its view has loaded; the Advanced tab follows.
    appkit::postToMain(delegate, [] { handleGathered(); });
}

void addPendingURLsToPhotoList(const std::vector<std::string>& urls) {
    addToPhotoList(urls, std::nullopt);
}

}  // namespace Document
