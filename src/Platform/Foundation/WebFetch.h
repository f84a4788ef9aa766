#pragma once
// Reading a whole web page or local file into memory, bounded in time and size. `WebFetcher` is
// the interface (tests substitute their own); `CurlWebFetcher` reads http, https and file
// addresses with libcurl and follows at most a few redirects, to http and https only, so a remote
// page can never make it read a local file. A fetch blocks its thread: never call it on the main
// queue. Both are stateless; safe from any thread.

#include <cstddef>
#include <optional>
#include <string>

namespace foundation {

struct FetchLimits {
    double timeoutSeconds = 10.0;
    std::size_t maxBytes = 2 * 1024 * 1024;
};

struct FetchedPage {
    std::string bytes;
    std::string address;  // where the bytes came from, after redirects
};

class WebFetcher {
  public:
    virtual ~WebFetcher() = default;
    // The bytes at `address`; absent when they cannot be read completely within the limits (no
    // such resource, an error status, a timeout, more bytes than allowed, another scheme).
    virtual std::optional<FetchedPage> fetch(const std::string& address, const FetchLimits& limits) const = 0;
};

class CurlWebFetcher final : public WebFetcher {
  public:
    std::optional<FetchedPage> fetch(const std::string& address, const FetchLimits& limits) const override;
};

}  // namespace foundation
