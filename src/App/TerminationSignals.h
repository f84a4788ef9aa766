#pragma once
// TerminationSignals: SIGTERM and SIGINT turned into a call on the main thread while it lives. The
// signal handler only writes a byte into a socket pair; the event loop reads it and makes the call,
// so nothing but that write runs inside the handler. Afterwards the earlier handlers are back.
// Make at most one at a time, on the main thread, after the QCoreApplication exists.

#include <QObject>
#include <csignal>
#include <functional>
#include <memory>

class QSocketNotifier;

class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

  private:
    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onSignal_;
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};
