#include "Screens/Activity/RequestGate.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <deque>
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

struct Gate {
    std::deque<Waiting> waiting;
    std::vector<std::weak_ptr<void>> holds;
    bool handling = false;
    std::uint64_t lookToken = 0;
};

Gate& gate() {
    static Gate instance;
    return instance;
}

bool held() {
    auto& holds = gate().holds;
    std::erase_if(holds, [](const std::weak_ptr<void>& hold) { return hold.expired(); });
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
    while (!g.waiting.empty() && !isModalUp() && !held()) {
        Waiting next = std::move(g.waiting.front());
        g.waiting.pop_front();
        if (next.owned && !next.owner) continue;
        next.request();
    }
    g.handling = false;
}

void lookSoon() {
    if (gate().waiting.empty()) return;
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

std::string phrase(const WaitingRequest& what) {
    const std::size_t n = what.count ? what.count() : 1;
    switch (what.kind) {
        case WaitingRequest::Kind::OpenedFiles:
            return n == 1 ? "the opened image is not added"
                          : "the " + std::to_string(n) + " opened images are not added";
        case WaitingRequest::Kind::CollectedImages:
            return n == 1 ? "the collected image is not added"
                          : "the " + std::to_string(n) + " collected images are not added";
        case WaitingRequest::Kind::PresetFromMenu:
            return "the preset chosen from the menu is not run";
        case WaitingRequest::Kind::Unnamed:
            break;
    }
    return {};
}

bool dropsRequest(QuestionDrops drops, WaitingRequest::Kind kind) {
    switch (drops) {
        case QuestionDrops::All:
            return kind != WaitingRequest::Kind::Unnamed;
        case QuestionDrops::TabList:
            return kind == WaitingRequest::Kind::CollectedImages;
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

std::shared_ptr<void> holdRequests() {
    std::shared_ptr<int> token(new int(0), [](int* hold) {
        delete hold;
        lookSoon();
    });
    gate().holds.push_back(token);
    return token;
}

void releaseWaitingRequests() {
    lookSoon();
}

std::string droppedRequestsText(QuestionDrops drops) {
    const std::string opening = drops == QuestionDrops::All ? "\nIf you quit, " : "\nIf you stop the job, ";
    std::string text;
    for (const Waiting& waiting : gate().waiting) {
        if (waiting.owned && !waiting.owner) continue;
        if (!dropsRequest(drops, waiting.what.kind)) continue;
        text += opening + phrase(waiting.what) + ".";
    }
    return text;
}

}  // namespace screens
