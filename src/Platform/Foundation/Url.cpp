#include "Platform/Foundation/Url.h"

#include <algorithm>
#include <cctype>

namespace foundation {

namespace {

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

int hexValue(char c) {
    return std::isdigit(static_cast<unsigned char>(c))
               ? c - '0'
               : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
}

bool isUnreserved(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' || c == '~';
}

bool isSubDelim(char c) {
    return std::string_view("!$&'()*+,;=").find(c) != std::string_view::npos;
}

// Characters RFC 3986 allows in `text` besides unreserved ones, sub-delimiters and "%" escapes.
bool allowedIn(std::string_view text, std::string_view extra) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return false;
            i += 2;
        } else if (!isUnreserved(c) && !isSubDelim(c) && extra.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool validScheme(std::string_view s) {
    if (s.empty() || !std::isalpha(static_cast<unsigned char>(s.front()))) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
    });
}

// Parts of a parsed address, whose escapes are known to be whole.
std::string decoded(std::string_view s) {
    return percentDecoded(s).value_or(std::string(s));
}

// RFC 3986 section 5.2.4.
std::string removeDotSegments(std::string_view input) {
    std::string in(input), out;
    while (!in.empty()) {
        if (in.starts_with("../")) {
            in.erase(0, 3);
        } else if (in.starts_with("./")) {
            in.erase(0, 2);
        } else if (in.starts_with("/./")) {
            in.erase(0, 2);
        } else if (in == "/.") {
            in = "/";
        } else if (in.starts_with("/../") || in == "/..") {
            in = in == "/.." ? "/" : in.substr(3);
            const std::size_t slash = out.rfind('/');
            out.erase(slash == std::string::npos ? 0 : slash);
        } else if (in == "." || in == "..") {
            in.clear();
        } else {
            const std::size_t next = in.find('/', 1);
            out += in.substr(0, next);
            in.erase(0, next == std::string::npos ? in.size() : next);
        }
    }
    return out;
}

// RFC 3986 section 5.2.2: the target of `reference` against an absolute `base`.
UrlComponents resolved(const UrlComponents& reference, const UrlComponents& base) {
    if (reference.scheme) {
        UrlComponents t = reference;
        t.percentEncodedPath = removeDotSegments(reference.percentEncodedPath);
        return t;
    }
    UrlComponents t;
    t.scheme = base.scheme;
    t.fragment = reference.fragment;
    if (reference.authority) {
        t.authority = reference.authority;
        t.percentEncodedPath = removeDotSegments(reference.percentEncodedPath);
        t.percentEncodedQuery = reference.percentEncodedQuery;
        return t;
    }
    t.authority = base.authority;
    if (reference.percentEncodedPath.empty()) {
        t.percentEncodedPath = base.percentEncodedPath;
        t.percentEncodedQuery =
            reference.percentEncodedQuery ? reference.percentEncodedQuery : base.percentEncodedQuery;
        return t;
    }
    t.percentEncodedQuery = reference.percentEncodedQuery;
    if (reference.percentEncodedPath.front() == '/') {
        t.percentEncodedPath = removeDotSegments(reference.percentEncodedPath);
    } else {
        std::string merged;
        if (base.authority && base.percentEncodedPath.empty()) {
            merged = "/" + reference.percentEncodedPath;
        } else {
            const std::size_t slash = base.percentEncodedPath.rfind('/');
            merged =
                (slash == std::string::npos ? std::string() : base.percentEncodedPath.substr(0, slash + 1)) +
                reference.percentEncodedPath;
        }
        t.percentEncodedPath = removeDotSegments(merged);
    }
    return t;
}

std::optional<std::string> hostOf(const std::optional<std::string>& authority) {
    if (!authority) return std::nullopt;
    std::string_view a = *authority;
    if (const std::size_t at = a.rfind('@'); at != std::string_view::npos) a.remove_prefix(at + 1);
    if (a.starts_with('[')) {
        const std::size_t close = a.find(']');
        return std::string(a.substr(1, close == std::string_view::npos ? a.npos : close - 1));
    }
    return decoded(a.substr(0, a.rfind(':') == a.npos ? a.size() : a.rfind(':')));
}

}  // namespace

std::string percentEncoded(std::string_view text, std::string_view keep) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        if (isUnreserved(c) || keep.find(c) != std::string_view::npos) {
            out += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return std::nullopt;
        out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
        i += 2;
    }
    return out;
}

std::optional<UrlComponents> UrlComponents::fromString(std::string_view text) {
    UrlComponents c;
    std::string_view rest = text;
    if (const std::size_t hash = rest.find('#'); hash != rest.npos) {
        if (!allowedIn(rest.substr(hash + 1), ":@/?")) return std::nullopt;
        c.fragment = std::string(rest.substr(hash + 1));
        rest = rest.substr(0, hash);
    }
    if (const std::size_t colon = rest.find(':'); colon != rest.npos) {
        const std::size_t delimiter = rest.find_first_of("/?");
        if (delimiter == rest.npos || colon < delimiter) {
            if (!validScheme(rest.substr(0, colon))) return std::nullopt;
            c.scheme = std::string(rest.substr(0, colon));
            rest.remove_prefix(colon + 1);
        }
    }
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t end = rest.find_first_of("/?");
        const std::string_view authority = rest.substr(0, end);
        if (!allowedIn(authority, ":@[]")) return std::nullopt;
        c.authority = std::string(authority);
        rest = end == rest.npos ? std::string_view() : rest.substr(end);
    }
    const std::size_t question = rest.find('?');
    const std::string_view path = rest.substr(0, question);
    if (!allowedIn(path, ":@/")) return std::nullopt;
    c.percentEncodedPath = std::string(path);
    if (question != rest.npos) {
        const std::string_view query = rest.substr(question + 1);
        if (!allowedIn(query, ":@/?")) return std::nullopt;
        c.percentEncodedQuery = std::string(query);
    }
    return c;
}

std::optional<UrlComponents> UrlComponents::fromUrl(const Url& url, bool resolvingAgainstBase) {
    return fromString(resolvingAgainstBase ? url.absoluteString() : url.relativeString());
}

std::string UrlComponents::string() const {
    std::string out;
    if (scheme) out += *scheme + ":";
    if (authority) out += "//" + *authority;
    out += percentEncodedPath;
    if (percentEncodedQuery) out += "?" + *percentEncodedQuery;
    if (fragment) out += "#" + *fragment;
    return out;
}

std::optional<std::vector<QueryItem>> UrlComponents::queryItems() const {
    if (!percentEncodedQuery) return std::nullopt;
    std::vector<QueryItem> items;
    if (percentEncodedQuery->empty()) return items;
    std::string_view rest = *percentEncodedQuery;
    while (true) {
        const std::size_t amp = rest.find('&');
        const std::string_view item = rest.substr(0, amp);
        const std::size_t eq = item.find('=');
        QueryItem q{decoded(item.substr(0, eq)), std::nullopt};
        if (eq != item.npos) q.value = decoded(item.substr(eq + 1));
        items.push_back(std::move(q));
        if (amp == rest.npos) break;
        rest.remove_prefix(amp + 1);
    }
    return items;
}

void UrlComponents::setQueryItems(const std::optional<std::vector<QueryItem>>& items) {
    if (!items) {
        percentEncodedQuery.reset();
        return;
    }
    // Kept as they are: characters with no meaning between query items.
    constexpr std::string_view kKeep = "!$'()*,;:@/?";
    std::string query;
    for (std::size_t i = 0; i < items->size(); ++i) {
        const QueryItem& item = (*items)[i];
        if (i > 0) query += '&';
        query += percentEncoded(item.name, kKeep);
        if (item.value) query += "=" + percentEncoded(*item.value, kKeep);
    }
    percentEncodedQuery = query;
}

std::optional<Url> Url::fromString(std::string_view text) {
    return fromString(text, std::nullopt);
}

std::optional<Url> Url::fromString(std::string_view text, const std::optional<Url>& base) {
    if (text.empty() || !UrlComponents::fromString(text)) return std::nullopt;
    Url url;
    url.text_ = std::string(text);
    if (base) url.base_.push_back(*base);
    return url;
}

std::string Url::absoluteString() const {
    const auto own = UrlComponents::fromString(text_);
    if (base_.empty() || !own || own->scheme) return text_;
    const auto base = UrlComponents::fromString(base_.front().absoluteString());
    if (!base || !base->scheme) return text_;
    return resolved(*own, *base).string();
}

std::optional<std::string> Url::scheme() const {
    const auto c = UrlComponents::fromString(absoluteString());
    return c ? c->scheme : std::nullopt;
}

std::optional<std::string> Url::host() const {
    const auto c = UrlComponents::fromString(absoluteString());
    return c ? hostOf(c->authority) : std::nullopt;
}

std::vector<std::string> Url::pathComponents() const {
    const auto c = UrlComponents::fromString(absoluteString());
    std::vector<std::string> out;
    if (!c) return out;
    std::string_view path = c->percentEncodedPath;
    if (path.starts_with('/')) out.emplace_back("/");
    std::size_t start = 0;
    while (start < path.size()) {
        const std::size_t slash = path.find('/', start);
        const std::string_view segment = path.substr(start, slash == path.npos ? path.npos : slash - start);
        if (!segment.empty()) out.push_back(decoded(segment));
        if (slash == path.npos) break;
        start = slash + 1;
    }
    return out;
}

}  // namespace foundation
