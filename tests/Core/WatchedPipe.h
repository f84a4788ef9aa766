#pragma once
// A named pipe that notices being opened for reading. A watcher keeps trying to open its write end
// without waiting, which succeeds only while a reader has the pipe open, and closes it again at once:
// a reader stuck on the pipe then sees the end of the data and goes on. So a test of code that must
// never read a pipe can check wasOpened() and cannot hang when that code goes wrong.

#include <atomic>
#include <filesystem>
#include <thread>

namespace coretest {

class WatchedPipe {
  public:
    explicit WatchedPipe(std::filesystem::path path);  // makes the pipe (and its folder)
    ~WatchedPipe();
    WatchedPipe(const WatchedPipe&) = delete;
    WatchedPipe& operator=(const WatchedPipe&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool wasOpened() const { return opened_; }

  private:
    std::filesystem::path path_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> opened_{false};
    std::thread watcher_;
};

}  // namespace coretest
