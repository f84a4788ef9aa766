#include "Platform/AppKit/ModalScript.h"

#include <deque>
#include <mutex>

namespace appkit {

namespace {
struct Queues {
    std::mutex mutex;
    std::deque<ModalResponse> alerts;
    std::deque<OpenPanelAnswer> panels;
};
Queues& queues() {
    static Queues q;
    return q;
}
}  // namespace

void ModalScript::pushAlertAnswer(ModalResponse response) {
    std::lock_guard lock(queues().mutex);
    queues().alerts.push_back(response);
}

void ModalScript::pushOpenPanelAnswer(OpenPanelAnswer answer) {
    std::lock_guard lock(queues().mutex);
    queues().panels.push_back(std::move(answer));
}

std::optional<ModalResponse> ModalScript::takeAlertAnswer() {
    std::lock_guard lock(queues().mutex);
    if (queues().alerts.empty()) return std::nullopt;
    auto answer = queues().alerts.front();
    queues().alerts.pop_front();
    return answer;
}

std::optional<OpenPanelAnswer> ModalScript::takeOpenPanelAnswer() {
    std::lock_guard lock(queues().mutex);
    if (queues().panels.empty()) return std::nullopt;
    auto answer = std::move(queues().panels.front());
    queues().panels.pop_front();
    return answer;
}

void ModalScript::clear() {
    std::lock_guard lock(queues().mutex);
    queues().alerts.clear();
    queues().panels.clear();
}

}  // namespace appkit
