#pragma once
// Url: a web or file address as RFC 3986 writes it, kept as the text it was made from, optionally
// relative to a base address; and UrlComponents, its parts with the query as a list of items.
// Strict: text with characters an address cannot hold (spaces, quotes, non-ASCII, a bad "%"
// escape) is no address. Plain values; safe to copy between threads.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

class Url {
  public:
    // Absent for an empty text or one that is no RFC 3986 reference.
    static std::optional<Url> fromString(std::string_view text);
    // A reference resolved against `base` when read as absolute text (absent base: as fromString).
    static std::optional<Url> fromString(std::string_view text, const std::optional<Url>& base);

    // The text as given, and the text resolved against the base.
    const std::string& relativeString() const { return text_; }
    std::string absoluteString() const;
    const Url* baseURL() const { return base_.empty() ? nullptr : &base_.front(); }

    // Parts of the resolved address; scheme and host absent when the text has none.
    std::optional<std::string> scheme() const;
    std::optional<std::string> host() const;
    // The decoded path's components: "/a/b/" gives "/", "a", "b"; an empty path none.
    std::vector<std::string> pathComponents() const;

    bool operator==(const Url& other) const { return text_ == other.text_ && base_ == other.base_; }

  private:
    std::string text_;
    std::vector<Url> base_;  // zero or one
};

// One item of a query: "a=1" has the value "1", "a=" the empty value, "a" no value.
struct QueryItem {
    std::string name;
    std::optional<std::string> value;
    bool operator==(const QueryItem&) const = default;
};

// `text` with every byte but ASCII letters, digits, "-._~" and those in `keep` written as "%XX".
std::string percentEncoded(std::string_view text, std::string_view keep);
// `text` with its "%XX" escapes decoded; absent when a "%" is not followed by two hex digits.
std::optional<std::string> percentDecoded(std::string_view text);

class UrlComponents {
  public:
    // The parts of a URL, resolved against its base or taken from its own text only.
    static std::optional<UrlComponents> fromUrl(const Url& url, bool resolvingAgainstBase);
    static std::optional<UrlComponents> fromString(std::string_view text);

    std::optional<std::string> scheme;
    std::optional<std::string> authority;  // user, host and port as written
    std::string percentEncodedPath;
    std::optional<std::string> percentEncodedQuery;
    std::optional<std::string> fragment;

    // Absent without a query; decoded names and values.
    std::optional<std::vector<QueryItem>> queryItems() const;
    // Encodes every character that would change the items' meaning ("&", "=", "+", "#", spaces...).
    // Absent items remove the query.
    void setQueryItems(const std::optional<std::vector<QueryItem>>& items);

    std::string string() const;
    std::optional<Url> url() const { return Url::fromString(string()); }
};

}  // namespace foundation
