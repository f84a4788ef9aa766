#include "App/TerminationSignals.h"

#include <QSocketNotifier>

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (requests_.fd() < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(requests_.fd(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        for ([[maybe_unused]] const int signal : requests_.take())
            if (onSignal_) onSignal_();
    });
}

// The notifier stops watching before the requests close their socket.
TerminationSignals::~TerminationSignals() = default;
