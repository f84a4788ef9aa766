#include "Platform/Dispatch/FileSizeSignal.h"

#include <csignal>

namespace dispatch {

void ignoreFileSizeSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGXFSZ, &action, nullptr);
}

}  // namespace dispatch
