#include "Platform/Foundation/UrlText.h"

#include <curl/curl.h>

#include <memory>

namespace foundation {
namespace {

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHex(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool isAddressCharacter(char c) {
    if (isAlpha(c) || isDigit(c)) return true;
    return std::string_view("-._~:/?#[]@!$&'()*+,;=%").find(c) != std::string_view::npos;
}

bool isValidScheme(std::string_view s) {
    if (s.empty() || !isAlpha(s.front())) return false;
    for (char c : s)
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
    return true;
}

using UrlHandle = std::unique_ptr<CURLU, decltype(&curl_url_cleanup)>;

}  // namespace

bool UrlParts::isFileURL() const {
    if (scheme.size() != 4) return false;
    for (std::size_t i = 0; i < 4; ++i)
        if ((scheme[i] | 0x20) != "file"[i]) return false;
    return true;
}

std::optional<UrlParts> parseUrl(std::string_view text) {
    if (text.empty()) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isAddressCharacter(text[i])) return std::nullopt;
        if (text[i] == '%' && (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])))
            return std::nullopt;
    }
    UrlParts parts;
    std::string_view rest = text;
    if (const auto hash = rest.find('#'); hash != std::string_view::npos) {
        parts.fragment = std::string(rest.substr(hash + 1));
        if (parts.fragment->find('#') != std::string::npos) return std::nullopt;
        rest = rest.substr(0, hash);
    }
    if (const auto question = rest.find('?'); question != std::string_view::npos) {
        parts.query = std::string(rest.substr(question + 1));
        rest = rest.substr(0, question);
    }
    if (const auto colon = rest.find(':'); colon != std::string_view::npos && colon < rest.find('/')) {
        if (!isValidScheme(rest.substr(0, colon))) return std::nullopt;
        parts.scheme = std::string(rest.substr(0, colon));
        rest = rest.substr(colon + 1);
    }
    if (rest.substr(0, 2) == "//") {
        rest = rest.substr(2);
        const auto slash = rest.find('/');
        parts.authority = std::string(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
    }
    // Brackets belong to an IPv6 host only.
    if (rest.find_first_of("[]") != std::string_view::npos) return std::nullopt;
    parts.path = std::string(rest);
    return parts;
}

std::optional<std::string> resolvingUrl(std::string_view reference, std::string_view base) {
    const auto baseParts = parseUrl(base);
    if (!baseParts || baseParts->scheme.empty() || !parseUrl(reference)) return std::nullopt;
    UrlHandle url(curl_url(), &curl_url_cleanup);
    if (!url) return std::nullopt;
    const unsigned flags = CURLU_NON_SUPPORT_SCHEME;
    if (curl_url_set(url.get(), CURLUPART_URL, std::string(base).c_str(), flags) != CURLUE_OK)
        return std::nullopt;
    if (curl_url_set(url.get(), CURLUPART_URL, std::string(reference).c_str(), flags) != CURLUE_OK)
        return std::nullopt;
    char* resolved = nullptr;
    if (curl_url_get(url.get(), CURLUPART_URL, &resolved, 0) != CURLUE_OK || !resolved) return std::nullopt;
    std::string out(resolved);
    curl_free(resolved);
    return out;
}

}  // namespace foundation
