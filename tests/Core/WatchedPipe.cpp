#include "WatchedPipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace coretest {

WatchedPipe::WatchedPipe(std::filesystem::path path) : path_(std::move(path)) {
    std::filesystem::create_directories(path_.parent_path());
    if (::mkfifo(path_.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + path_.string());
    watcher_ = std::thread([this] {
        while (!stop_) {
            const int writeEnd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (writeEnd >= 0) {
                opened_ = true;
                ::close(writeEnd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

WatchedPipe::~WatchedPipe() {
    stop_ = true;
    watcher_.join();
}

}  // namespace coretest
