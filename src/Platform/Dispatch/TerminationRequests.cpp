#include "Platform/Dispatch/TerminationRequests.h"

#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace dispatch {

namespace {

// The one thing the handler may touch: the writing end of the socket pair, -1 when none is open.
std::atomic<int> gWriteEnd{-1};
// Only a lock-free atomic may be read inside a signal handler.
static_assert(std::atomic<int>::is_always_lock_free);

void onTerminationSignal(int number) {
    const int fd = gWriteEnd.load();
    if (fd < 0) return;
    // A full socket makes the write fail: the interrupted code must not find its errno changed.
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const auto n = ::write(fd, &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationRequests::TerminationRequests() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0) {
        sockets_[0] = sockets_[1] = -1;
        return;
    }
    gWriteEnd.store(sockets_[1]);
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, &previousTerm_);
    ::sigaction(SIGINT, &action, &previousInt_);
}

TerminationRequests::~TerminationRequests() {
    if (sockets_[0] < 0) return;
    ::sigaction(SIGTERM, &previousTerm_, nullptr);
    ::sigaction(SIGINT, &previousInt_, nullptr);
    gWriteEnd.store(-1);
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

std::vector<int> TerminationRequests::take() {
    std::vector<int> arrived;
    if (sockets_[0] < 0) return arrived;
    unsigned char bytes[16];
    for (ssize_t n; (n = ::read(sockets_[0], bytes, sizeof bytes)) > 0;)
        arrived.insert(arrived.end(), bytes, bytes + n);
    return arrived;
}

}  // namespace dispatch
