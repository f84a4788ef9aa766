#include "App/Document.h"

#include <QPointer>
#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "App/AppDelegate.h"
#include "App/TabBarVC.h"
#include "App/VortaWindowController.h"
#include "Core/Records/SharedLists.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Screens/Activity/ImageCollector.h"
#include "Screens/Activity/ImageListHost.h"
#include "Screens/Activity/ImageTally.h"
#include "Screens/Activity/ListAddition.h"
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

// One opening's files, from their arrival until their start is told what became of them.
struct Opening {
    std::uint64_t ticket = 0;
    std::vector<std::string> paths;
    // Once they left the gathered files for the list: how that addition ended.
    std::shared_ptr<const std::atomic<screens::ListAddition::End>> addition;
    std::optional<HandOverFate> fate;
};

std::vector<Opening>& openings() {
    static std::vector<Opening> all;
    return all;
}

// Whether `path` is in the list: the image itself, or a folder some of whose images are.
bool isListed(const std::string& path, const screens::KnownPaths& listed) {
    return screens::isFolderPath(path) ? listed.holdsSomeInside(path) : listed.contains(path);
}

// What became of files whose addition is over, by what the list holds now.
HandOverFate fateByList(const std::vector<std::string>& paths, const screens::KnownPaths& listed) {
    const auto inList =
        std::count_if(paths.begin(), paths.end(), [&](const auto& p) { return isListed(p, listed); });
    if (static_cast<std::size_t>(inList) == paths.size()) return HandOverFate::Listed;
    return inList == 0 ? HandOverFate::NoImages : HandOverFate::SomeNotImages;
}

screens::KnownPaths listedNow() {
    std::vector<std::string> listed;
    for (const auto& record : core::sharedImageList().snapshot()) listed.push_back(record.strFullPath);
    return screens::KnownPaths(listed);
}

// The gathered files leave them: each opening among them is settled by `settle`.
void settlePending(const std::function<void(Opening&)>& settle) {
    for (Opening& opening : openings())
        if (!opening.fate && !opening.addition) settle(opening);
    pending().clear();
    pendingImages() = {};
    gatheredOnTheirWay().reset();
}

// Let go by the user's answer, or by a window that went: they are in no list.
void letPendingGo() {
    settlePending([](Opening& opening) { opening.fate = HandOverFate::NotAdded; });
}

// The gathered files are all files that no list takes as images (by their names): handing them over
// would add nothing, so nothing is shown or asked. Images already in the list shown now still go the
// whole way: the Advanced tab's list may be another.
bool settledWithoutImages() {
    const auto& paths = pending();
    if (std::any_of(paths.begin(), paths.end(), screens::isFolderPath) ||
        screens::countNewImages(paths, {}) != 0)
        return false;
    settlePending([](Opening& opening) { opening.fate = HandOverFate::NoImages; });
    return true;
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
// them for the question they may raise; `addition`, when given, learns whether they joined.
void addToPhotoList(const std::vector<std::string>& urls, std::optional<screens::ImageTally> images,
                    std::shared_ptr<screens::ListAddition> addition) {
    auto* pane = advancedPane();
    if (!pane) return;
    pane->addImages(urls, std::move(addition));
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
    if (pending().empty() || settledWithoutImages()) return;
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
                letPendingGo();
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
        letPendingGo();
        waitingForModal() = false;
        heldByQuestion() = 0;
    }
    attached() = controller;
}

const std::vector<std::string>& pendingURLs() {
    return pending();
}

std::optional<HandOverFate> fateOf(std::uint64_t ticket) {
    auto& all = openings();
    const auto it =
        std::find_if(all.begin(), all.end(), [ticket](const Opening& o) { return o.ticket == ticket; });
    // No such opening is waited for: nothing of it can be in the list.
    if (it == all.end()) return HandOverFate::NotAdded;
    if (!it->fate && it->addition) {
        const auto end = it->addition->load();
        if (end == screens::ListAddition::End::Joined) {
            // The openings that joined in one addition are settled by one look at the list.
            const screens::KnownPaths listed = listedNow();
            const auto addition = it->addition;
            for (Opening& opening : all)
                if (!opening.fate && opening.addition == addition)
                    opening.fate = fateByList(opening.paths, listed);
        }
        if (end == screens::ListAddition::End::Dropped) it->fate = HandOverFate::NotAdded;
    }
    const auto fate = it->fate;
    if (fate) all.erase(it);
    return fate;
}

void openURL(const std::string& path) {
    openURLs({path});
}

void openURLs(const std::vector<std::string>& paths) {
    if (paths.empty() || !mainWindowController()) return;
    pending().insert(pending().end(), paths.begin(), paths.end());
    // One count for the lot: each count looks at the whole list.
    pendingImages().add(paths);
    handleGathered();
}

std::uint64_t openHandedOver(const std::vector<std::string>& paths) {
    static std::uint64_t lastTicket = 0;
    const std::uint64_t ticket = ++lastTicket;
    std::optional<HandOverFate> fate;
    if (paths.empty()) fate = HandOverFate::Listed;
    if (!mainWindowController()) fate = HandOverFate::NotAdded;
    openings().push_back(Opening{ticket, paths, nullptr, fate});
    if (!fate) openURLs(paths);
    return ticket;
}

void forget(std::uint64_t ticket) {
    std::erase_if(openings(), [ticket](const Opening& o) { return o.ticket == ticket; });
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
    if (settledWithoutImages()) return;
    const screens::ImageTally images = pendingImages();
    auto addition = std::make_shared<screens::ListAddition>();
    settlePending([watch = addition->watch()](Opening& opening) { opening.addition = watch; });
    addToPhotoList(captured, images, std::move(addition));
}

void tabSwitcherDidLoad() {
    if (pending().empty()) return;
    AppDelegate* delegate = appDelegate();
    // The tab switcher shows its first tab once its view has loaded; the Advanced tab follows.
    appkit::postToMain(delegate, [] { handleGathered(); });
}

void addPendingURLsToPhotoList(const std::vector<std::string>& urls) {
    addToPhotoList(urls, std::nullopt, nullptr);
}

}  // namespace Document
