#pragma once
// RequestGate: what the user asks for while a question or any other modal window or sheet is up
// (files opened from the file manager, a folder's collection that ends, a presets-menu choice, a
// drop) waits until nothing modal is up and is then handled as if it had just arrived, in arrival
// order; one that raises a question of its own keeps the rest waiting for that one. A question names
// the waiting requests its answer would drop, and those still on their way (images being collected).
// Main thread only.

#include <QObject>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace screens {

// What the first answer of the question that is up does to the requests waiting for it.
enum class QuestionDrops {
    Nothing,  // the requests go on afterwards as usual
    TabList,  // the tab is left: images collected for its list are not added, its preset run does not run
    All       // the application quits: nothing waiting is handled
};

// A waiting request the user should hear about when a question's answer would drop it.
struct WaitingRequest {
    enum class Kind {
        Unnamed,
        OpenedFiles,      // files opened from the file manager, for a list
        CollectedImages,  // images collected for a list
        PresetFromMenu,   // a preset chosen from the presets menu
        PresetRun         // a preset's run on the images found for it
    };
    Kind kind = Kind::Unnamed;
    // How many images it carries, asked each time the question's text is written; nothing while
    // they are still being counted or collected.
    std::function<std::optional<std::size_t>()> count;
    // The preset it runs, for the kinds that run one.
    std::string preset;
};

// Whether a question, or any other modal window or sheet, is up.
bool isModalUp();

// Whether a request arriving now must wait: something modal is up, a request is in progress, or
// requests that arrived before it still wait.
bool requestsMustWait();

// Runs `request` now when nothing modal is up, no request is in progress and none waits before it;
// otherwise once that holds, after the requests that waited before it. With an owner, the request
// is dropped once the owner is gone.
void whenNoModalIsUp(std::function<void()> request, const QObject* owner = nullptr, WaitingRequest what = {});

// While the returned token lives the waiting requests keep waiting: a request that takes several
// steps (a tab switch, then a run once the tab shows) is handled whole before the next one.
std::shared_ptr<void> holdRequests();

// While the returned token lives the waiting requests keep waiting, for `atMostSeconds` at most.
std::shared_ptr<void> holdRequests(double atMostSeconds);

// Runs `step` of the request being handled (one that holds the others) once no modal is up: at once
// when none is, else when the last one goes. It waits for no hold and no waiting request. With an
// owner, it is dropped once the owner is gone.
void whenModalsAreGone(std::function<void()> step, const QObject* owner);

// Looks again, soon, whether the waiting requests can go on.
void releaseWaitingRequests();

// While the returned token lives, `what` is on its way to the line of requests (images being
// collected for a list): a question whose answer would drop it names it. The token may be let go on
// any thread.
std::shared_ptr<void> expectRequest(WaitingRequest what);

// The lines (none empty) that a question adds to its text for the requests, waiting or on their
// way, that its answer would drop; empty when it drops none. Opened files, and collected images,
// are counted together in one line each.
std::vector<std::string> droppedRequestLines(QuestionDrops drops);

// The same lines for `asked`, the requests a question was asked for, which keeping the job drops.
std::vector<std::string> keptJobLines(const std::vector<WaitingRequest>& asked);

}  // namespace screens
