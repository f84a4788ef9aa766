#include "Platform/Foundation/WebFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace foundation {
namespace {

struct Sink {
    std::string bytes;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
};

std::size_t collect(char* data, std::size_t size, std::size_t count, void* context) {
    auto* sink = static_cast<Sink*>(context);
    const std::size_t n = size * count;
    if (sink->bytes.size() + n > sink->maxBytes) {
        sink->tooLarge = true;
        return 0;  // makes libcurl stop with a write error
    }
    sink->bytes.append(data, n);
    return n;
}

void initialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

}  // namespace

std::optional<FetchedPage> CurlWebFetcher::fetch(const std::string& address,
                                                 const FetchLimits& limits) const {
    initialiseOnce();
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return std::nullopt;
    Sink sink;
    sink.maxBytes = limits.maxBytes;
    const double seconds =
        std::isfinite(limits.timeoutSeconds) ? std::clamp(limits.timeoutSeconds, 0.001, 600.0) : 10.0;
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(seconds * 1000.0));
    curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
    if (curl_easy_perform(h) != CURLE_OK || sink.tooLarge) return std::nullopt;
    char* effective = nullptr;
    curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &effective);
    return FetchedPage{std::move(sink.bytes), effective ? std::string(effective) : address};
}

}  // namespace foundation
