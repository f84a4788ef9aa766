#include "Screens/Activity/StopJobQuestion.h"

#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "Platform/AppKit/Alert.h"
#include "Platform/AppKit/ViewController.h"
#include "Platform/AppKit/Window.h"
#include "Platform/Dispatch/Queue.h"
#include "Screens/Activity/ActivityVC.h"

namespace screens {
namespace {

struct Waiter {
    bool owned = false;
    QPointer<const QObject> owner;
    std::function<void(bool stop)> answered;
};

// The question up in the window, if any.
struct Question {
    bool up = false;
    std::uint64_t generation = 0;
    std::string why;
    QuestionDrops drops = QuestionDrops::Nothing;
    // What the question was asked for, which keeping the job drops.
    std::vector<WaitingRequest> asked;
    QPointer<QMessageBox> box;
    std::vector<Waiter> waiters;
};

Question& current() {
    static Question question;
    return question;
}

// The question's reason, then a line for each thing its answers drop; no line is empty.
std::string informativeText(const Question& question) {
    std::vector<std::string> lines;
    if (!question.why.empty()) lines.push_back(question.why);
    for (std::string& line : keptJobLines(question.asked)) lines.push_back(std::move(line));
    for (std::string& line : droppedRequestLines(question.drops)) lines.push_back(std::move(line));
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

void answer(std::uint64_t generation, bool stop) {
    Question& question = current();
    if (!question.up || question.generation != generation) return;
    // Closed before anything runs: whoever learns the answer may ask anew.
    std::vector<Waiter> waiters = std::move(question.waiters);
    question.up = false;
    question.waiters.clear();
    question.why.clear();
    question.drops = QuestionDrops::Nothing;
    question.asked.clear();
    question.box = nullptr;
    for (const Waiter& waiter : waiters)
        if (!waiter.owned || waiter.owner) waiter.answered(stop);
    // What waited for the answer is handled next, as if it had just arrived.
    releaseWaitingRequests();
}

// A job that has been told to stop is winding down; changing the list no longer stops anything.
bool jobRunsOn(const ActivityVC* activity) {
    return activity && activity->isActivityRunning() && !activity->isGotCancel();
}

}  // namespace

bool isStopJobQuestionUp() {
    return current().up;
}

bool questionHoldsOpenedFiles() {
    const Question& question = current();
    return question.up &&
           std::any_of(question.asked.begin(), question.asked.end(), [](const WaitingRequest& what) {
               return what.kind == WaitingRequest::Kind::OpenedFiles;
           });
}

void refreshStopJobQuestionText() {
    Question& question = current();
    if (question.up && question.box) appkit::setInformativeText(*question.box, informativeText(question));
}

bool joinStopJobQuestion(std::function<void(bool stop)> answered, const QObject* owner) {
    Question& question = current();
    if (!question.up) return false;
    question.waiters.push_back({owner != nullptr, owner, std::move(answered)});
    return true;
}

void askAboutJob(appkit::Window& window, appkit::Alert alert, QuestionDrops drops,
                 std::function<void(bool stop)> answered, const QObject* owner) {
    // One sheet at a time: asked once whatever is up has gone.
    if (isModalUp()) {
        whenNoModalIsUp(
            [target = QPointer<appkit::Window>(&window), alert, drops, answered, owner] {
                if (target) askAboutJob(*target, alert, drops, answered, owner);
            },
            owner);
        return;
    }
    Question& question = current();
    question.up = true;
    const std::uint64_t generation = ++question.generation;
    question.why = alert.informativeText;
    question.drops = drops;
    question.waiters.push_back({owner != nullptr, owner, std::move(answered)});
    alert.informativeText = informativeText(question);
    question.box = alert.beginSheetModal(&window, [generation](appkit::ModalResponse response) {
        answer(generation, response == appkit::ModalResponse::AlertFirstButtonReturn);
    });
    // A sheet that goes without an answer (its window closed) keeps the job; an answer clicked
    // before it went is already on the main queue and comes first.
    if (question.box)
        QObject::connect(question.box, &QObject::destroyed, [generation] {
            dispatch::Queue::main().async([generation] { answer(generation, false); });
        });
}

void askToStopJob(appkit::Window& window, const std::string& why, QuestionDrops drops,
                  std::function<void(bool stop)> answered, const QObject* owner) {
    appkit::Alert alert;
    alert.alertStyle = appkit::Alert::Style::Warning;
    alert.addButton("Stop Job");
    alert.addButton("Keep Job");
    alert.messageText = "Stop the running job?";
    alert.informativeText = why;
    askAboutJob(window, std::move(alert), drops, std::move(answered), owner);
}

void holdForAnswer(WaitingRequest what) {
    Question& question = current();
    if (!question.up) return;
    question.asked.push_back(std::move(what));
    refreshStopJobQuestionText();
}

void confirmListChangeDuringJob(appkit::ViewController& pane, ActivityVC* activity, ListChange kind,
                                std::function<void()> change) {
    // A change asked for while a question or another modal is up is looked at once it has gone: the
    // job may have ended, or been stopped, by then.
    if (isModalUp()) {
        whenNoModalIsUp(
            [target = QPointer<appkit::ViewController>(&pane), kind, change = std::move(change)] {
                if (auto* host = dynamic_cast<ImageListHost*>(target.data()))
                    host->confirmListChange(kind, change);
            },
            &pane);
        return;
    }
    if (!jobRunsOn(activity)) {
        change();
        return;
    }
    appkit::Window* window = pane.isViewLoaded() ? pane.window() : nullptr;
    if (!window) return;
    const std::string why = kind == ListChange::Adding
                                ? "A job is running on this tab. Adding images stops it; the images "
                                  "already written are kept."
                                : "A job is running on this tab. Removing images stops it; the images "
                                  "already written are kept.";
    askToStopJob(
        *window, why, QuestionDrops::Nothing,
        [job = QPointer<ActivityVC>(activity), change = std::move(change)](bool stop) {
            if (!stop) return;
            if (job && jobRunsOn(job)) job->cancelActivity();
            change();
        },
        &pane);
}

}  // namespace screens
