#include "Screens/Activity/RequestGate.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/StopJobQuestion.h"

namespace screens {
namespace {

struct Waiting {
    bool owned = false;
    QPointer<const QObject> owner;
    std::function<void()> request;
    WaitingRequest what;
};

struct Hold {
    std::weak_ptr<void> token;
    std::optional<dispatch::Time> until;  // a bounded hold gives up then
};

// A step of the request being handled, waiting for the modals alone.
struct Step {
    bool owned = false;
    QPointer<const QObject> owner;
    std::function<void()> step;
};

// A request on its way, for as long as its token lives.
struct Coming {
    std::weak_ptr<void> token;
    WaitingRequest what;
};

struct Gate {
    std::deque<Waiting> waiting;
    std::vector<Coming> coming;
    std::deque<Step> steps;
    std::vector<Hold> holds;
    bool handling = false;
    std::uint64_t lookToken = 0;
};

Gate& gate() {
    static Gate instance;
    return instance;
}

bool held() {
    auto& holds = gate().holds;
    const dispatch::Time now = dispatch::Queue::main().now();
    std::erase_if(holds, [now](const Hold& hold) {
        return hold.token.expired() || (hold.until && now >= *hold.until);
    });
    return !holds.empty();
}

bool anySheetUp() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<appkit::Window*>(top); window && window->sheetCount() > 0)
            return true;
    return false;
}

void handleWaiting() {
    Gate& g = gate();
    if (g.handling) return;
    g.handling = true;
    // The request being handled goes on first: the others wait for it.
    while (!g.steps.empty() && !isModalUp()) {
        Step next = std::move(g.steps.front());
        g.steps.pop_front();
        if (next.owned && !next.owner) continue;
        next.step();
    }
    while (!g.waiting.empty() && !isModalUp() && !held()) {
        Waiting next = std::move(g.waiting.front());
        g.waiting.pop_front();
        if (next.owned && !next.owner) continue;
        next.request();
    }
    g.handling = false;
}

void lookSoon() {
    if (gate().waiting.empty() && gate().steps.empty()) return;
    const std::uint64_t token = ++gate().lookToken;
    dispatch::Queue::main().async([token] {
        // Only the latest look runs: a later one, or one on a new main queue, replaces older ones.
        if (token == gate().lookToken) handleWaiting();
    });
}

// Qt tells every window a modal window or sheet stopped blocking when it goes: the moment to look.
class ModalWatch final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowUnblocked) lookSoon();
        return QObject::eventFilter(watched, event);
    }
};

void watchModals() {
    static ModalWatch* watch = nullptr;
    if (watch || !QCoreApplication::instance()) return;
    watch = new ModalWatch;
    watch->moveToThread(QCoreApplication::instance()->thread());
    QCoreApplication::instance()->installEventFilter(watch);
}

// "the opened image", "the 3 opened images"; empty for none, which a question never names.
std::string images(std::size_t n, const std::string& which) {
    if (n == 0) return {};
    return n == 1 ? "the " + which + " image" : "the " + std::to_string(n) + " " + which + " images";
}

std::string presetCalled(const std::string& name) {
    return name.empty() ? "the preset" : "the preset \"" + name + "\"";
}

std::string notAdded(std::optional<std::size_t> n, const std::string& which, const std::string& uncounted) {
    if (!n) return uncounted + " are not added";
    if (*n == 0) return {};
    return images(*n, which) + (*n == 1 ? " is" : " are") + " not added";
}

// What the request is, and what becomes of it; empty when it carries nothing to drop.
std::string phrase(WaitingRequest::Kind kind, std::optional<std::size_t> n, const std::string& preset) {
    switch (kind) {
        case WaitingRequest::Kind::OpenedFiles:
            return notAdded(n, "opened", "the opened files");
        case WaitingRequest::Kind::CollectedImages:
            return notAdded(n, "collected", "the images still being collected");
        case WaitingRequest::Kind::PresetFromMenu:
            return presetCalled(preset) + " chosen from the menu does not run";
        case WaitingRequest::Kind::PresetRun:
            // A run whose files held no image is still a run the user asked for.
            if (!n || *n == 0) return presetCalled(preset) + " does not run";
            return presetCalled(preset) + " does not run on " +
                   (*n == 1 ? std::string("the image found") : "the " + std::to_string(*n) + " images found");
        case WaitingRequest::Kind::Unnamed:
            break;
    }
    return {};
}

// Opened files, and collected images, are one line each however many requests bring them.
bool countedTogether(WaitingRequest::Kind kind) {
    return kind == WaitingRequest::Kind::OpenedFiles || kind == WaitingRequest::Kind::CollectedImages;
}

std::vector<std::string> requestLines(const std::string& opening,
                                      const std::vector<const WaitingRequest*>& requests) {
    struct Line {
        WaitingRequest::Kind kind;
        std::optional<std::size_t> n;
        std::string preset;
    };
    std::vector<Line> lines;
    for (const WaitingRequest* request : requests) {
        const std::optional<std::size_t> n =
            request->count ? request->count() : std::optional<std::size_t>(1);
        auto same = std::find_if(lines.begin(), lines.end(),
                                 [&](const Line& line) { return line.kind == request->kind; });
        if (countedTogether(request->kind) && same != lines.end()) {
            same->n = same->n && n ? std::optional(*same->n + *n) : std::nullopt;
            continue;
        }
        lines.push_back({request->kind, n, request->preset});
    }
    std::vector<std::string> text;
    for (const Line& line : lines)
        if (const std::string dropped = phrase(line.kind, line.n, line.preset); !dropped.empty())
            text.push_back(opening + dropped + ".");
    return text;
}

bool dropsRequest(QuestionDrops drops, WaitingRequest::Kind kind) {
    switch (drops) {
        case QuestionDrops::All:
            // Files opened from the file manager are not lost with a quit: the start that handed
            // them over waits for the application to end and opens them itself.
            return kind != WaitingRequest::Kind::Unnamed && kind != WaitingRequest::Kind::OpenedFiles;
        case QuestionDrops::TabList:
            return kind == WaitingRequest::Kind::CollectedImages || kind == WaitingRequest::Kind::PresetRun;
        case QuestionDrops::Nothing:
            break;
    }
    return false;
}

}  // namespace

bool isModalUp() {
    return isStopJobQuestionUp() || QApplication::activeModalWidget() != nullptr || anySheetUp();
}

bool requestsMustWait() {
    // A request handled now from the waiting line goes on at once: it is the one being handled.
    const Gate& g = gate();
    return isModalUp() || held() || (!g.waiting.empty() && !g.handling);
}

void whenNoModalIsUp(std::function<void()> request, const QObject* owner, WaitingRequest what) {
    Gate& g = gate();
    if (!requestsMustWait()) {
        request();
        return;
    }
    const bool named = what.kind != WaitingRequest::Kind::Unnamed;
    g.waiting.push_back({owner != nullptr, owner, std::move(request), std::move(what)});
    if (named) refreshStopJobQuestionText();
    // Looked at again when a question is answered, a modal window goes or a hold ends; only
    // requests behind others are looked at at once.
    watchModals();
    if (!isModalUp() && !held()) lookSoon();
}

namespace {

std::shared_ptr<void> addHold(std::optional<dispatch::Time> until) {
    std::shared_ptr<int> token(new int(0), [](int* hold) {
        delete hold;
        lookSoon();
    });
    gate().holds.push_back({token, until});
    return token;
}

}  // namespace

std::shared_ptr<void> holdRequests() {
    return addHold(std::nullopt);
}

std::shared_ptr<void> holdRequests(double atMostSeconds) {
    dispatch::Queue& main = dispatch::Queue::main();
    const dispatch::Time until{main.now().ns + static_cast<std::int64_t>(atMostSeconds * 1e9)};
    // The waiting requests are looked at when the bound passes, should the hold still stand then.
    main.asyncAt(until, [] { lookSoon(); });
    return addHold(until);
}

void whenModalsAreGone(std::function<void()> step, const QObject* owner) {
    if (!isModalUp()) {
        step();
        return;
    }
    gate().steps.push_back({owner != nullptr, owner, std::move(step)});
    watchModals();
}

void releaseWaitingRequests() {
    lookSoon();
}

std::shared_ptr<void> expectRequest(WaitingRequest what) {
    auto token = std::make_shared<int>(0);
    std::erase_if(gate().coming, [](const Coming& coming) { return coming.token.expired(); });
    gate().coming.push_back({token, std::move(what)});
    refreshStopJobQuestionText();
    return token;
}

std::vector<std::string> droppedRequestLines(QuestionDrops drops) {
    std::vector<const WaitingRequest*> dropped;
    for (const Waiting& waiting : gate().waiting)
        if ((!waiting.owned || waiting.owner) && dropsRequest(drops, waiting.what.kind))
            dropped.push_back(&waiting.what);
    for (const Coming& coming : gate().coming)
        if (!coming.token.expired() && dropsRequest(drops, coming.what.kind)) dropped.push_back(&coming.what);
    return requestLines(drops == QuestionDrops::All ? "If you quit, " : "If you stop the job, ", dropped);
}

std::vector<std::string> keptJobLines(const std::vector<WaitingRequest>& asked) {
    std::vector<const WaitingRequest*> dropped;
    for (const WaitingRequest& request : asked) dropped.push_back(&request);
    return requestLines("If you keep the job, ", dropped);
}

}  // namespace screens
