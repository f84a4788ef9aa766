#pragma once
// TerminationRequests: while one lives, SIGTERM and SIGINT no longer end the process at once; they are
// kept for its owner, which decides how to stop (finish or remove the file being written, then exit).
// The handler only writes the signal's number into a socket pair: the owner watches `fd()` with its
// event loop or looks with `take()` as it waits, so nothing but that write runs inside the handler.
// Afterwards the earlier handlers are back. At most one at a time, made, read and ended on one thread.

#include <csignal>
#include <vector>

namespace dispatch {

class TerminationRequests {
  public:
    TerminationRequests();
    ~TerminationRequests();
    TerminationRequests(const TerminationRequests&) = delete;
    TerminationRequests& operator=(const TerminationRequests&) = delete;

    // Readable once a signal has arrived; -1 when the signals could not be caught.
    int fd() const { return sockets_[0]; }
    // The signals that arrived since the last look, oldest first. Never blocks.
    std::vector<int> take();

  private:
    int sockets_[2] = {-1, -1};
    struct sigaction previousTerm_ {};
    struct sigaction previousInt_ {};
};

}  // namespace dispatch
