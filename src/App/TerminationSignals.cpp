#include "App/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>

namespace {

// The one thing the handler may touch: the writing end of the socket pair, -1 when none is open.
std::atomic<int> gWriteEnd{-1};

void onTerminationSignal(int) {
    const int fd = gWriteEnd.load();
    if (fd < 0) return;
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(fd, &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(sockets_[0], bytes, sizeof bytes) > 0) {
        }
        if (onSignal_) onSignal_();
    });
    gWriteEnd.store(sockets_[1]);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm_);
    ::sigaction(SIGINT, &action, &previousInt_);
}

TerminationSignals::~TerminationSignals() {
    if (sockets_[0] < 0) return;
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::sigaction(SIGINT, &previousInt_, nullptr);
    gWriteEnd.store(-1);
    notifier_.reset();
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}
