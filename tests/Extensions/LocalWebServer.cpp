#include "Extensions/LocalWebServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace testsupport {

LocalWebServer::LocalWebServer(std::map<std::string, WebRoute> routes) : routes_(std::move(routes)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LocalWebServer::~LocalWebServer() {
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

std::string LocalWebServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void LocalWebServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) continue;
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        answer(connection);
        ::close(connection);
    }
}

void LocalWebServer::answer(int connection) {
    std::string request;
    char buffer[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0) return;
        request.append(buffer, static_cast<std::size_t>(n));
    }
    ++requests_;
    const auto pathStart = request.find(' ') + 1;
    const std::string path = request.substr(pathStart, request.find(' ', pathStart) - pathStart);
    const auto found = routes_.find(path);
    const WebRoute route = found == routes_.end() ? WebRoute{404, "not found", "", {}} : found->second;
    std::string head = "HTTP/1.1 " + std::to_string(route.status) +
                       " X\r\nContent-Length: " + std::to_string(route.body.size()) +
                       "\r\nConnection: close\r\n";
    if (!route.location.empty()) head += "Location: " + route.location + "\r\n";
    head += "\r\n";
    ::send(connection, head.data(), head.size(), MSG_NOSIGNAL);
    for (auto waited = std::chrono::milliseconds(0); waited < route.delay && !stopping_;
         waited += std::chrono::milliseconds(10))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::size_t sent = 0;
    while (sent < route.body.size()) {
        const ssize_t n =
            ::send(connection, route.body.data() + sent, route.body.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

}  // namespace testsupport
