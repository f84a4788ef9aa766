#pragma once
// TerminationSignals: SIGTERM and SIGINT turned into a call on the main thread, once per signal, while
// it lives (TerminationRequests catches them; the event loop watches for them). Afterwards the earlier
// handlers are back. Make at most one at a time, on the main thread, after the QCoreApplication exists.

#include <QObject>
#include <functional>
#include <memory>

#include "Platform/Dispatch/TerminationRequests.h"

class QSocketNotifier;

class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    dispatch::TerminationRequests requests_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
};
