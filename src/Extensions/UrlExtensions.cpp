#include "Extensions/UrlExtensions.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "Platform/Foundation/TextEncoding.h"

namespace url {

namespace {

// Characters that a POSIX shell reads literally in an unquoted word.
bool shellSafe(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("%+,-./:=@_").find(c) != std::string_view::npos;
    });
}

// 'text' with each ' written as '\'' (end the quotes, an escaped quote, quote again).
std::string singleQuoted(std::string_view s) {
    std::string out = "'";
    for (const char c : s) {
        if (c == '\'') {
            out += "'\\''";
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::string shellWord(std::string_view s) {
    return shellSafe(s) ? std::string(s) : singleQuoted(s);
}

}  // namespace

std::optional<foundation::UrlRequest> request(const std::string& urlString) {
    auto address = foundation::Url::fromString(urlString);
    if (!address) return std::nullopt;
    foundation::UrlRequest r;
    r.url = std::move(address);
    r.cachePolicy = 0;
    r.timeoutInterval = 60;
    return r;
}

std::string curlString(const foundation::UrlRequest& request) {
    if (!request.url) return {};
    std::vector<std::string> parts;
    std::string first = "curl " + shellWord(request.url->absoluteString());
    if (request.httpMethod == "HEAD") first += " --head";
    parts.push_back(std::move(first));
    if (!request.httpMethod.empty() && request.httpMethod != "GET" && request.httpMethod != "HEAD") {
        parts.push_back("-X " + shellWord(request.httpMethod));
    }
    for (const auto& [name, value] : request.headerFields) {
        if (name != "Cookie") parts.push_back("-H " + singleQuoted(name + ": " + value));
    }
    if (request.httpBody) {
        if (const auto body = foundation::decodedText(*request.httpBody, foundation::StringEncoding::UTF8)) {
            parts.push_back("-d " + singleQuoted(*body));
        }
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += " \\\n\t";
        out += parts[i];
    }
    return out;
}

std::optional<Parameters> queryParameters(const foundation::Url& url) {
    const auto components = foundation::UrlComponents::fromUrl(url, false);
    if (!components) return std::nullopt;
    const auto items = components->queryItems();
    if (!items || items->empty()) return std::nullopt;
    Parameters out;
    for (const foundation::QueryItem& item : *items) {
        if (item.value) {
            out.insert_or_assign(item.name, *item.value);
        } else {
            out.erase(item.name);
        }
    }
    return out;
}

std::optional<foundation::Url> fromOptionalString(const std::optional<std::string>& text,
                                                  const std::optional<foundation::Url>& base) {
    if (!text) return std::nullopt;
    return foundation::Url::fromString(*text, base);
}

foundation::Url appendingQueryParameters(const foundation::Url& url, const Parameters& parameters) {
    auto components = foundation::UrlComponents::fromUrl(url, true);
    if (!components) return url;
    std::vector<foundation::QueryItem> items =
        components->queryItems().value_or(std::vector<foundation::QueryItem>{});
    for (const auto& [name, value] : parameters) items.push_back({name, value});
    components->setQueryItems(items);
    return components->url().value_or(url);
}

void appendQueryParameters(foundation::Url& url, const Parameters& parameters) {
    url = appendingQueryParameters(url, parameters);
}

std::optional<std::string> queryValue(const foundation::Url& url, const std::string& key) {
    const auto components = foundation::UrlComponents::fromString(url.absoluteString());
    if (!components) return std::nullopt;
    const auto items = components->queryItems();
    if (!items) return std::nullopt;
    const auto it = std::ranges::find(*items, key, &foundation::QueryItem::name);
    if (it == items->end()) return std::nullopt;
    return it->value;
}

foundation::Url deletingAllPathComponents(const foundation::Url& url) {
    const std::vector<std::string> components = url.pathComponents();
    if (components.size() <= 1) return url;
    auto parts = foundation::UrlComponents::fromString(url.absoluteString());
    if (!parts) return url;
    const std::string& path = parts->percentEncodedPath;
    parts->percentEncodedPath = path.starts_with('/') ? "/" : path.substr(0, path.find('/') + 1);
    return parts->url().value_or(url);
}

void deleteAllPathComponents(foundation::Url& url) {
    url = deletingAllPathComponents(url);
}

std::optional<foundation::Url> droppedScheme(const foundation::Url& url) {
    const std::string text = url.absoluteString();
    std::string_view rest = text;
    if (const auto scheme = url.scheme()) {
        rest.remove_prefix(scheme->size() + 1);
        if (rest.starts_with("//")) rest.remove_prefix(2);
    } else if (url.host()) {
        rest.remove_prefix(2);
    } else {
        return url;
    }
    return foundation::Url::fromString(rest);
}

}  // namespace url
