#pragma once
// A web server on 127.0.0.1 for tests of page fetching: it serves fixed routes from a thread, one
// connection at a time, and stops when destroyed. Routes may answer slowly, to test timeouts.

#include <atomic>
#include <chrono>
#include <map>
#include <string>
#include <thread>

namespace testsupport {

struct WebRoute {
    int status = 200;
    std::string body;
    std::string location;                // a Location header (for redirects) when not empty
    std::chrono::milliseconds delay{0};  // before the body is sent
};

class LocalWebServer {
  public:
    explicit LocalWebServer(std::map<std::string, WebRoute> routes);
    ~LocalWebServer();
    LocalWebServer(const LocalWebServer&) = delete;
    LocalWebServer& operator=(const LocalWebServer&) = delete;

    // "http://127.0.0.1:<port>" followed by `path`.
    std::string url(const std::string& path) const;
    int requestCount() const { return requests_.load(); }

  private:
    void serve();
    void answer(int connection);

    std::map<std::string, WebRoute> routes_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> requests_{0};
    std::thread thread_;
};

}  // namespace testsupport
